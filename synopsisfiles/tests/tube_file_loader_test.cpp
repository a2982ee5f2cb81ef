// LoadTubeTrack on real files: what it reads, what it says when it cannot,
// and that no path through it leaves the file locked.
#include "debug_output.h"
#include "synopsis_writers.h"
#include "test_fixture.h"
#include "tube_file_loader.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string Bytes(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::vector<uint8_t> SmallTubeFile() {
    TubeFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    TubeBlock block;
    block.tubeId = 7;
    block.frames = {{150, {{1, 10, 20, 30, 40}}}, {151, {{1, 11, 21, 31, 41}, {2, 1, 1, 1, 1}}}};
    content.tubes = {block};
    return WriteTubeFile(content);
}

// Nobody else holds the file: it opens with no sharing at all.
bool OpensExclusively(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

class DebugLines {
public:
    DebugLines() {
        SetDebugLineSink([this](const std::wstring& line) { m_lines.push_back(line); });
    }
    ~DebugLines() { SetDebugLineSink(nullptr); }
    const std::vector<std::wstring>& Lines() const { return m_lines; }

private:
    std::vector<std::wstring> m_lines;
};

TEST(LoadTubeTrack, ReadsTheMappedFileAndReleasesIt) {
    const std::wstring path =
        SampleServerFixture::Get().MakeScratchFolder("tube-read") + L"\\12.tbi";
    ASSERT_TRUE(WriteFileBytes(path, Bytes(SmallTubeFile())));
    Track track;
    ASSERT_EQ(1, LoadTubeTrack(path, 1, 7, track, -100));
    ASSERT_EQ(3u, track.size());
    EXPECT_EQ((TrackBox{50, 352, 288, 10, 20, 30, 40}), track[0]);
    EXPECT_EQ((TrackBox{51, 352, 288, 11, 21, 31, 41}), track[1]);
    EXPECT_EQ((TrackBox{0, 1, 1, 0, 0, 0, 0}), track[2]);
    EXPECT_TRUE(OpensExclusively(path));
}

TEST(LoadTubeTrack, EveryFailureReleasesTheFile) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("tube-release");
    std::string notTube = Bytes(SmallTubeFile());
    notTube[3] = 'O';
    std::string truncated = Bytes(SmallTubeFile());
    truncated.resize(truncated.size() - 3);
    const struct {
        const wchar_t* name;
        std::string bytes;
        int result;
        size_t trackSize;
    } cases[] = {
        {L"\\magic.tbi", notTube, 0, 0},
        {L"\\empty.tbi", "", 0, 0}, // an empty file cannot be mapped
        {L"\\short.tbi", "ASTI", 0, 0},
        {L"\\truncated.tbi", truncated, 1, 2},
        {L"\\no-tubes.tbi", Bytes(WriteTubeFile(TubeFileContent{})), 1, 1},
    };
    for (const auto& c : cases) {
        const std::wstring path = folder + c.name;
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        Track track{TrackBox{}, TrackBox{}};
        EXPECT_EQ(c.result, LoadTubeTrack(path, 1, 7, track, 0)) << c.name;
        EXPECT_EQ(c.trackSize, track.size()) << c.name;
        EXPECT_TRUE(OpensExclusively(path)) << c.name;
        EXPECT_TRUE(DeleteFileW(path.c_str())) << c.name;
    }
}

TEST(LoadTubeTrack, AFileThatCannotBeOpenedIsReported) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("tube-unopened");
    DebugLines debug;
    Track track{TrackBox{}};
    const std::wstring missing = folder + L"\\missing.tbi";
    EXPECT_EQ(0, LoadTubeTrack(missing, 1, 7, track, 0));
    EXPECT_TRUE(track.empty());

    // Held by someone else: the exclusive open fails with a sharing violation.
    const std::wstring held = folder + L"\\held.tbi";
    ASSERT_TRUE(WriteFileBytes(held, Bytes(SmallTubeFile())));
    HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0, LoadTubeTrack(held, 1, 7, track, 0));
    CloseHandle(holder);

    ASSERT_EQ(2u, debug.Lines().size());
    EXPECT_EQ(L"load tbi file: " + missing + L" failed,error : 2", debug.Lines()[0]);
    EXPECT_EQ(L"load tbi file: " + held + L" failed,error : 32", debug.Lines()[1]);
    EXPECT_EQ(1, LoadTubeTrack(held, 1, 7, track, 0)); // free again once released
}

} // namespace
