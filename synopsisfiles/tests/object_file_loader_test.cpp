// Object files from disk and the process-wide cache of the last one loaded.
#include "object_file_loader.h"
#include "synopsis_writers.h"
#include "test_fixture.h"
#include "track_frames.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

// A file with one object (5, 7) whose frames start at firstFrame.
std::string ObjectFileStartingAt(int32_t firstFrame, int frames = 2) {
    ObjectFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    ObiObjectRecord object;
    object.objectId = 5;
    object.tubeId = 7;
    object.firstFrame = firstFrame;
    for (int i = 0; i < frames; ++i)
        object.frames.push_back({firstFrame + i, 1, 2, 3, 4});
    content.objects = {object};
    const auto bytes = WriteObjectFile(content);
    return std::string(bytes.begin(), bytes.end());
}

std::string Narrow(const std::wstring& path) {
    return std::string(path.begin(), path.end());
}

TEST(ReadObjectFile, ReadsAWholeFileOrSaysWhyNot) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("obi-read");
    ObiObjectList objects;
    int32_t count = 0;
    ASSERT_TRUE(WriteFileBytes(folder + L"\\good.obi", ObjectFileStartingAt(100, 3)));
    ASSERT_EQ(kObiOk, ReadObjectFile(Narrow(folder + L"\\good.obi").c_str(), objects, count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(102, objects[0]->lastFrame);

    ASSERT_TRUE(WriteFileBytes(folder + L"\\empty.obi", ""));
    EXPECT_EQ(kObiBadData, ReadObjectFile(Narrow(folder + L"\\empty.obi").c_str(), objects, count));
    EXPECT_EQ(0, count);
    EXPECT_TRUE(objects.empty());
    EXPECT_GT(0, ReadObjectFile(Narrow(folder + L"\\missing.obi").c_str(), objects, count));
    EXPECT_EQ(kObiNullInput, ReadObjectFile(nullptr, objects, count));
}

TEST(LoadObjectTrack, KeepsTheLastFileLoadedUntilAnotherPathIsAsked) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("obi-cache");
    const std::wstring first = folder + L"\\first.obi", second = folder + L"\\second.obi";
    ASSERT_TRUE(WriteFileBytes(first, ObjectFileStartingAt(100)));
    ASSERT_TRUE(WriteFileBytes(second, ObjectFileStartingAt(300)));
    Track track;
    ASSERT_EQ(1, LoadObjectTrack(first, 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{100, 101, 0}), Frames(track));

    // Replaced on disk under the same name: the cached objects still answer,
    // so the file was parsed once.
    ASSERT_TRUE(WriteFileBytes(first, ObjectFileStartingAt(200)));
    ASSERT_EQ(1, LoadObjectTrack(first, 5, 7, track, -50));
    EXPECT_EQ((std::vector<int32_t>{50, 51, 0}), Frames(track));
    ASSERT_EQ(1, LoadObjectTrack(first, 6, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(track));

    // Another path replaces the cache; the first path is then read again.
    ASSERT_EQ(1, LoadObjectTrack(second, 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{300, 301, 0}), Frames(track));
    ASSERT_EQ(1, LoadObjectTrack(first, 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{200, 201, 0}), Frames(track));
    // The comparison is exact: another spelling of the same file reloads it.
    ASSERT_TRUE(WriteFileBytes(first, ObjectFileStartingAt(400)));
    std::wstring upper = first;
    CharUpperW(upper.data());
    ASSERT_EQ(1, LoadObjectTrack(upper, 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{400, 401, 0}), Frames(track));
}

TEST(LoadObjectTrack, AFailedLoadEmptiesTheCache) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("obi-fail");
    const std::wstring good = folder + L"\\good.obi", bad = folder + L"\\bad.obi";
    ASSERT_TRUE(WriteFileBytes(good, ObjectFileStartingAt(100)));
    std::string broken = ObjectFileStartingAt(100);
    broken[0] = 'X';
    ASSERT_TRUE(WriteFileBytes(bad, broken));

    Track track;
    ASSERT_EQ(1, LoadObjectTrack(good, 5, 7, track, 0));
    track.assign(3, TrackBox{1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(0, LoadObjectTrack(bad, 5, 7, track, 0));
    EXPECT_TRUE(track.empty());
    EXPECT_EQ(0, LoadObjectTrack(folder + L"\\missing.obi", 5, 7, track, 0));
    // Nothing is cached now, not even under the empty path.
    ASSERT_EQ(1, LoadObjectTrack(L"", 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(track));
    ASSERT_EQ(1, LoadObjectTrack(good, 5, 7, track, 0));
    EXPECT_EQ((std::vector<int32_t>{100, 101, 0}), Frames(track));
}

TEST(LoadObjectTrack, ConcurrentCallersEachGetTheirOwnFilesTrack) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("obi-threads");
    const std::wstring first = folder + L"\\first.obi", second = folder + L"\\second.obi";
    ASSERT_TRUE(WriteFileBytes(first, ObjectFileStartingAt(100, 50)));
    ASSERT_TRUE(WriteFileBytes(second, ObjectFileStartingAt(1000, 80)));
    // Each caller swaps the cache to its own file on every call.
    const auto load = [](const std::wstring& path, int32_t firstFrame, size_t boxes, int& wrong) {
        for (int i = 0; i < 200; ++i) {
            Track track;
            if (LoadObjectTrack(path, 5, 7, track, 0) != 1 || track.size() != boxes + 1 ||
                track.front().frame != firstFrame ||
                track[boxes - 1].frame != firstFrame + int32_t(boxes) - 1)
                ++wrong;
        }
    };
    int wrongFirst = 0, wrongSecond = 0;
    std::thread a(load, std::cref(first), 100, 50, std::ref(wrongFirst));
    std::thread b(load, std::cref(second), 1000, 80, std::ref(wrongSecond));
    a.join();
    b.join();
    EXPECT_EQ(0, wrongFirst);
    EXPECT_EQ(0, wrongSecond);
}

} // namespace
