// The result viewer's server queries, end to end against the sample server.
#include "http_client.h"
#include "server_queries.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

const std::wstring& Address() {
    return SampleServerFixture::Get().Server();
}

TEST(ServerQueries, SynopsisPathAndItsUrlLeadToTheFile) {
    std::wstring path, url;
    ASSERT_EQ(1, QuerySynopsisPath(Address(), 12, path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2\\summary\\12\\summary.mp4", path);
    EXPECT_EQ(L"http://" + Address() + L"//summary/12/summary.mp4", url);

    const std::wstring copy =
        SampleServerFixture::Get().MakeScratchFolder("synopsis") + L"\\summary.mp4";
    EXPECT_EQ(1, HttpDownloadFile(url.c_str(), copy.c_str()));
    EXPECT_EQ(ReadFileBytes(SampleServerFixture::Get().DataFile("summary/12/summary.mp4")),
              ReadFileBytes(copy));
}

TEST(ServerQueries, SourceAndTranscodedPaths) {
    std::wstring path, url;
    ASSERT_EQ(1, QuerySourcePath(Address(), 12, path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2\\video\\12\\cam01.mp4", path);
    EXPECT_EQ(L"http://" + Address() + L"//video/12/cam01.mp4", url);
    ASSERT_EQ(1, QueryTranscodedPath(Address(), 3, path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2\\upload\\3\\cam01_transcoded.mp4", path);
}

TEST(ServerQueries, UnknownTaskOrNoServerLeavesTheOutputsAlone) {
    std::wstring path = L"p", url = L"u";
    EXPECT_EQ(0, QuerySynopsisPath(Address(), 99, path, url));
    EXPECT_EQ(0, QuerySourcePath(Address(), -1, path, url));
    EXPECT_EQ(0, QueryTranscodedPath(Address(), 12, path, url));
    EXPECT_EQ(0, QuerySynopsisPath(L"", 12, path, url));
    EXPECT_EQ(0, QuerySynopsisPath(L"127.0.0.22:1", 12, path, url));
    EXPECT_EQ(L"p", path);
    EXPECT_EQ(L"u", url);
}

TEST(ServerQueries, FragmentUrlNamesAPlayableStretch) {
    std::wstring url = L"old";
    ASSERT_EQ(1, QueryFragmentUrl(Address(), EscapeUrl(L"E:\\AstRP_1v2\\video\\12\\cam01.mp4"), 2,
                                  5, url));
    EXPECT_EQ(0u, url.find(L"http://" + Address() + L"/fragment/"));
    std::wstring text;
    HttpGetText(url.c_str(), text);
    EXPECT_EQ(0u, text.find(L"SAMPLEVIDEO 1")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"frames 50 125"));

    EXPECT_EQ(0, QueryFragmentUrl(L"127.0.0.22:1", L"x", 0, 1, url));
    EXPECT_EQ(L"", url);
}

TEST(ServerQueries, TubeInfoNamesBothSynopsisFiles) {
    std::wstring reply;
    HttpGetText(TubeInfoQueryUrl(Address(), 12).c_str(), reply);
    std::wstring tubeUrl, objectUrl;
    ASSERT_TRUE(ReadTubeInfoReply(reply, Address(), SynopsisFileKind::Tube, tubeUrl));
    ASSERT_TRUE(ReadTubeInfoReply(reply, Address(), SynopsisFileKind::Object, objectUrl));
    EXPECT_EQ(L"http://" + Address() + L"/tube/12/12.tbi", tubeUrl);
    EXPECT_EQ(L"http://" + Address() + L"/tube/12/12.obi", objectUrl);
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("tubeinfo");
    EXPECT_EQ(1, HttpDownloadFile(tubeUrl.c_str(), (folder + L"\\a.tbi").c_str()));
    EXPECT_EQ(1, HttpDownloadFile(objectUrl.c_str(), (folder + L"\\a.obi").c_str()));
    const auto tube = ReadFileBytes(folder + L"\\a.tbi");
    ASSERT_TRUE(tube);
    EXPECT_EQ("ASTI", tube->substr(0, 4)) << "a tube file";
    EXPECT_EQ(ReadFileBytes(SampleServerFixture::Get().DataFile("tube/12/12.tbi")), tube);
    const auto object = ReadFileBytes(folder + L"\\a.obi");
    ASSERT_TRUE(object);
    EXPECT_EQ("ASOI", object->substr(0, 4)) << "an object file";
    EXPECT_EQ(ReadFileBytes(SampleServerFixture::Get().DataFile("tube/12/12.obi")), object);
}

} // namespace
