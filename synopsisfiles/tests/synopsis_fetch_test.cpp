// Fetching tube and object files from the sample server into a cache folder.
// The fixture listens on several addresses; each test talks to its own, so
// the request log can be read per test (by the Host header) while tests run
// side by side.
#include "module_path.h"
#include "object_file_loader.h"
#include "synopsis_fetch.h"
#include "test_fixture.h"
#include "tube_file_loader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

const SampleServerFixture& Fixture() {
    return SampleServerFixture::Get();
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The requests sent to server since offset, as "METHOD target".
std::vector<std::string> RequestsTo(const std::wstring& server, size_t offset) {
    std::vector<std::string> requests;
    for (const LoggedRequest& request : Fixture().RequestsSince(offset))
        for (const auto& [name, value] : request.headers)
            if (name == "Host" && value == Narrow(server))
                requests.push_back(request.method + " " + request.target);
    return requests;
}

TEST(FetchSynopsisFile, DownloadsOnceThenUsesTheLocalFile) {
    const std::wstring server = L"127.0.0.52:8052";
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-once");
    const std::string query = "GET /Server.php?command=QueryTubeBasicInfoFilename&FlowNumber=12";

    size_t log = Fixture().LogSize();
    const std::wstring path = FetchSynopsisFileInto(folder, server, 12, SynopsisFileKind::Tube);
    // The port's ":" is no file-name character: it would name a data stream.
    EXPECT_EQ(folder + L"\\127.0.0.52_8052_12.tbi", path);
    EXPECT_EQ(std::vector<std::wstring>{L"127.0.0.52_8052_12.tbi"}, FolderEntries(folder));
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/12/12.tbi")), ReadFileBytes(path));
    EXPECT_EQ((std::vector<std::string>{query, "GET /tube/12/12.tbi"}), RequestsTo(server, log));

    // The server is asked again, but nothing is downloaded.
    log = Fixture().LogSize();
    EXPECT_EQ(path, FetchSynopsisFileInto(folder, server, 12, SynopsisFileKind::Tube));
    EXPECT_EQ(std::vector<std::string>{query}, RequestsTo(server, log));
}

TEST(FetchSynopsisFile, BothFilesOfATaskLoadTheSameObject) {
    const std::wstring server = Fixture().Server();
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-both");
    const std::wstring tube = FetchSynopsisFileInto(folder, server, 31, SynopsisFileKind::Tube);
    const std::wstring object = FetchSynopsisFileInto(folder, server, 31, SynopsisFileKind::Object);
    ASSERT_EQ(folder + L"\\127.0.0.50_8050_31.tbi", tube);
    ASSERT_EQ(folder + L"\\127.0.0.50_8050_31.obi", object);
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/31/31.obi")), ReadFileBytes(object));

    // The generator's first object is object 1 of tube 1.
    Track fromTube, fromObjects;
    ASSERT_EQ(1, LoadTubeTrack(tube, 1, 1, fromTube, 0));
    ASSERT_EQ(1, LoadObjectTrack(object, 1, 1, fromObjects, 0));
    ASSERT_GT(fromTube.size(), 25u);
    ASSERT_EQ(fromTube.size(), fromObjects.size());
    for (size_t i = 0; i + 1 < fromTube.size(); ++i)
        ASSERT_TRUE(fromTube[i] == fromObjects[i]) << "record " << i;
}

// Two viewers on one page may ask for the same file at the same moment: each
// must get the whole file, never a partial one or one written twice.
TEST(FetchSynopsisFile, SimultaneousFetchesOfOneFileEachGetItWhole) {
    const std::wstring server = Fixture().Server();
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-together");
    const std::wstring expected = folder + L"\\127.0.0.50_8050_12.tbi";
    constexpr int kFetchers = 6;
    std::vector<std::wstring> paths(kFetchers);
    std::vector<std::thread> fetchers;
    for (int i = 0; i < kFetchers; ++i)
        fetchers.emplace_back([&, i] {
            paths[i] = FetchSynopsisFileInto(folder, server, 12, SynopsisFileKind::Tube);
        });
    for (std::thread& fetcher : fetchers)
        fetcher.join();

    for (const std::wstring& path : paths)
        EXPECT_EQ(expected, path);
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/12/12.tbi")), ReadFileBytes(expected));
    EXPECT_EQ(std::vector<std::wstring>{L"127.0.0.50_8050_12.tbi"}, FolderEntries(folder));
}

// A download cut off earlier (the process ended) leaves its partial file
// behind; it is neither taken for the file nor appended to.
TEST(FetchSynopsisFile, APartialFileLeftBehindIsNotUsed) {
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-partial");
    const std::wstring path = folder + L"\\127.0.0.50_8050_31.tbi";
    const std::wstring partial = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetCurrentThreadId()) + L".part";
    WriteFileBytes(partial, "cut off");
    EXPECT_EQ(path, FetchSynopsisFileInto(folder, Fixture().Server(), 31, SynopsisFileKind::Tube));
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/31/31.tbi")), ReadFileBytes(path));
    EXPECT_EQ(std::vector<std::wstring>{L"127.0.0.50_8050_31.tbi"}, FolderEntries(folder));
}

TEST(FetchSynopsisFile, AServerWithoutPortNamesTheFile) {
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-port80");
    EXPECT_EQ(folder + L"\\127.0.0.51_7.obi",
              FetchSynopsisFileInto(folder, L"127.0.0.51", 7, SynopsisFileKind::Object));
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/7/7.obi")),
              ReadFileBytes(folder + L"\\127.0.0.51_7.obi"));
}

TEST(FetchSynopsisFile, FailuresGiveAnEmptyPathAndLeaveNoFile) {
    const std::wstring folder = Fixture().MakeScratchFolder("fetch-fail");
    const std::wstring server = Fixture().Server();
    EXPECT_EQ(L"", FetchSynopsisFileInto(folder, server, 99, SynopsisFileKind::Tube));
    EXPECT_EQ(L"", FetchSynopsisFileInto(folder, L"127.0.0.59:1", 12, SynopsisFileKind::Tube));
    EXPECT_EQ(L"", FetchSynopsisFileInto(folder, L"", 12, SynopsisFileKind::Tube));

    // The reply names a file the server no longer has (no other test of this
    // program fetches task 7's tube file from this fixture).
    const std::wstring served = Fixture().DataFile("tube/7/7.tbi");
    const std::wstring moved = served + L".away";
    ASSERT_TRUE(MoveFileW(served.c_str(), moved.c_str()));
    EXPECT_EQ(L"", FetchSynopsisFileInto(folder, server, 7, SynopsisFileKind::Tube));
    EXPECT_TRUE(MoveFileW(moved.c_str(), served.c_str()));
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST(FetchSynopsisFile, TheCacheFolderIsTbiBesideTheModule) {
    const std::wstring folder = ModuleFolder() + L"\\tbi";
    EXPECT_EQ(folder, SynopsisCacheFolder());
    // Start without the folder: the fetch makes it.
    for (const std::wstring& name : FolderEntries(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());

    const std::wstring path = FetchSynopsisFile(L"127.0.0.53:8053", 12, SynopsisFileKind::Object);
    EXPECT_EQ(folder + L"\\127.0.0.53_8053_12.obi", path);
    EXPECT_EQ(ReadFileBytes(Fixture().DataFile("tube/12/12.obi")), ReadFileBytes(path));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
