#include "server_requests.h"

#include <gtest/gtest.h>

namespace {

TEST(RequestUrls, FormedFromTheCatalogue) {
    EXPECT_EQ(L"http://10.0.0.5/query_ex.php?flowNumber=12",
              PathQueryUrl(PathQuery::Synopsis, L"10.0.0.5", 12));
    EXPECT_EQ(L"http://h:8080/querytranscodestatus.php?UserUploadVideoId=-3",
              PathQueryUrl(PathQuery::Transcoded, L"h:8080", -3));
    EXPECT_EQ(L"http://h/taskDetail.php?flowNumber=2147483647",
              PathQueryUrl(PathQuery::Source, L"h", 2147483647));
    EXPECT_EQ(L"http://h/getorgvideofragmenturl.php?filename=a%20b&ss=3&endpos=10",
              FragmentQueryUrl(L"h", L"a%20b", 3, 10));
    EXPECT_EQ(L"http://h/Server.php?command=QueryTubeBasicInfoFilename&FlowNumber=12",
              TubeInfoQueryUrl(L"h", 12));
}

TEST(PathQueryReply, LineEndBeforeTheClosingTagIsCleaned) {
    std::wstring path, url;
    EXPECT_EQ(1, ReadPathQueryReply(PathQuery::Synopsis,
                                    L"<result>\r\n<summarypath>E:\\AstRP_1v2\\s\\1.mp4\r\n"
                                    L"</summarypath>\r\n</result>",
                                    L"10.0.0.5", path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2\\s\\1.mp4", path);
    EXPECT_EQ(L"http://10.0.0.5//s/1.mp4", url);
}

TEST(PathQueryReply, EachQueryUsesItsOwnTags) {
    std::wstring path, url;
    EXPECT_EQ(1, ReadPathQueryReply(PathQuery::Transcoded,
                                    L"<destURI><![CDATA[E:\\AstRP_1v2\\u\\3.mp4]]></destURI>", L"h",
                                    path, url));
    EXPECT_EQ(L"http://h//u/3.mp4", url);
    EXPECT_EQ(1, ReadPathQueryReply(PathQuery::Source,
                                    L"<sourceUrl>E:\\AstRP_1v2\\v\\c.mp4</sourceUrl>", L"h", path,
                                    url));
    EXPECT_EQ(L"http://h//v/c.mp4", url);
    // A synopsis tag does not answer a source query.
    path = url = L"untouched";
    EXPECT_EQ(0,
              ReadPathQueryReply(PathQuery::Source, L"<summarypath>E:\\AstRP_1v2\\x</summarypath>",
                                 L"h", path, url));
    EXPECT_EQ(L"untouched", path);
    EXPECT_EQ(L"untouched", url);
}

TEST(PathQueryReply, MissingTagsOrEmptyReplyTouchNothing) {
    std::wstring path = L"p", url = L"u";
    EXPECT_EQ(0, ReadPathQueryReply(PathQuery::Synopsis, L"", L"h", path, url));
    EXPECT_EQ(0, ReadPathQueryReply(PathQuery::Synopsis, L"<summarypath>x", L"h", path, url));
    EXPECT_EQ(L"p", path);
    EXPECT_EQ(L"u", url);
}

TEST(PathQueryReply, ClosingBeforeOpeningGivesEmptyPathAndFails) {
    std::wstring path = L"p", url = L"u";
    EXPECT_EQ(0,
              ReadPathQueryReply(PathQuery::Synopsis,
                                 L"</summarypath>E:\\AstRP_1v2\\x<summarypath>", L"h", path, url));
    EXPECT_EQ(L"", path);
    EXPECT_EQ(L"u", url);
}

TEST(FragmentReply, PrefixesTheServerWithoutASlash) {
    std::wstring url = L"u";
    EXPECT_EQ(1, ReadFragmentReply(L"<url>/fragment/a.mp4</url>", L"h:81", url));
    EXPECT_EQ(L"http://h:81/fragment/a.mp4", url);
    EXPECT_EQ(0, ReadFragmentReply(L"<ret>-1</ret>", L"h", url));
    EXPECT_EQ(L"", url);
}

TEST(TubeInfoReply, DoubledBackslashesBecomeSlashesAndTheExtensionIsSwapped) {
    const std::wstring reply = L"<ret>0</ret>\r\n<fileurl>\\\\tube\\\\12\\\\12.xyz</fileurl>";
    std::wstring url;
    EXPECT_TRUE(ReadTubeInfoReply(reply, L"h:81", SynopsisFileKind::Tube, url));
    EXPECT_EQ(L"http://h:81/tube/12/12.tbi", url);
    EXPECT_TRUE(ReadTubeInfoReply(reply, L"h:81", SynopsisFileKind::Object, url));
    EXPECT_EQ(L"http://h:81/tube/12/12.obi", url);
}

TEST(TubeInfoReply, OnlyResultZeroWithAFileCounts) {
    std::wstring url = L"untouched";
    EXPECT_FALSE(ReadTubeInfoReply(L"", L"h", SynopsisFileKind::Tube, url));
    EXPECT_FALSE(ReadTubeInfoReply(L"<ret>-1</ret><fileurl>\\\\a.tbi</fileurl>", L"h",
                                   SynopsisFileKind::Tube, url));
    EXPECT_FALSE(ReadTubeInfoReply(L"<ret> 0</ret><fileurl>\\\\a.tbi</fileurl>", L"h",
                                   SynopsisFileKind::Tube, url));
    EXPECT_FALSE(ReadTubeInfoReply(L"<ret>0</ret>", L"h", SynopsisFileKind::Tube, url));
    EXPECT_FALSE(
        ReadTubeInfoReply(L"<ret>0</ret><fileurl></fileurl>", L"h", SynopsisFileKind::Tube, url));
    EXPECT_EQ(L"untouched", url);
}

} // namespace
