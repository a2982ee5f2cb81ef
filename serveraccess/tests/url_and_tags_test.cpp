#include "escape_url.h"
#include "http_url.h"
#include "server_path.h"
#include "tag_value.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    int result;
    std::wstring host, object;
    uint16_t port;
};

Split SplitOf(const wchar_t* url) {
    Split s{0, L"unset", L"unset", 80};
    s.result = SplitHttpUrl(url, s.host, s.object, s.port);
    return s;
}

TEST(SplitHttpUrl, HostPortAndObject) {
    Split s = SplitOf(L"http://10.0.0.5:8080/query_ex.php?flowNumber=12");
    EXPECT_EQ(1, s.result);
    EXPECT_EQ(L"10.0.0.5", s.host);
    EXPECT_EQ(8080, s.port);
    EXPECT_EQ(L"query_ex.php?flowNumber=12", s.object);

    s = SplitOf(L"http://host/a.php");
    EXPECT_EQ(L"host", s.host);
    EXPECT_EQ(80, s.port);
    EXPECT_EQ(L"a.php", s.object);

    s = SplitOf(L"http://host:81/a.php?x=1");
    EXPECT_EQ(81, s.port);
    EXPECT_EQ(L"a.php?x=1", s.object);
}

TEST(SplitHttpUrl, DoubledSlashKeepsTheSecondInTheObject) {
    Split s = SplitOf(L"http://10.0.0.5//submittask.php");
    EXPECT_EQ(L"10.0.0.5", s.host);
    EXPECT_EQ(L"/submittask.php", s.object);
}

TEST(SplitHttpUrl, NoSlashAfterHostGivesEmptyHostAndWholeUrl) {
    Split s = SplitOf(L"http://host");
    EXPECT_EQ(1, s.result);
    EXPECT_EQ(L"", s.host);
    EXPECT_EQ(L"http://host", s.object);
    EXPECT_EQ(80, s.port);

    s = SplitOf(L"http:/"); // shorter than the scheme: nothing is read past the end
    EXPECT_EQ(L"", s.host);
    EXPECT_EQ(L"http:/", s.object);
}

TEST(SplitHttpUrl, PortTextIsReadLikeAtoiAndKeptIn16Bits) {
    EXPECT_EQ(0, SplitOf(L"http://h:/x").port);
    EXPECT_EQ(0, SplitOf(L"http://h:abc/x").port);
    EXPECT_EQ(81, SplitOf(L"http://h:81abc/x").port);
    EXPECT_EQ(static_cast<uint16_t>(65536 + 81), SplitOf(L"http://h:65617/x").port);
    EXPECT_EQ(L"h", SplitOf(L"http://h:1:2/x").host);
    EXPECT_EQ(1, SplitOf(L"http://h:1:2/x").port);
}

TEST(SplitHttpUrl, NullUrlFailsAndTouchesNothing) {
    Split s = SplitOf(nullptr);
    EXPECT_EQ(0, s.result);
    EXPECT_EQ(L"unset", s.host);
    EXPECT_EQ(L"unset", s.object);
}

TEST(GetTagValue, FirstOpenAndFirstCloseWin) {
    EXPECT_EQ(L"/x/y.tbi", GetTagValue(L"<ret>1</ret><fileurl>/x/y.tbi</fileurl>", L"fileurl"));
    EXPECT_EQ(L"a", GetTagValue(L"<k>a</k><k>b</k>", L"k"));
    EXPECT_EQ(L"<k>a", GetTagValue(L"<k><k>a</k>", L"k"));
    EXPECT_EQ(L"", GetTagValue(L"<k></k>", L"k"));
}

TEST(GetTagValue, MissingOrMisorderedTagsGiveEmpty) {
    EXPECT_EQ(L"", GetTagValue(L"<PATH>x</PATH>", L"path")); // case matters
    EXPECT_EQ(L"", GetTagValue(L"<path>x", L"path"));
    EXPECT_EQ(L"", GetTagValue(L"x</path>", L"path"));
    EXPECT_EQ(L"", GetTagValue(L"</path>x<path>", L"path"));
    EXPECT_EQ(L"", GetTagValue(L"", L"path"));
}

TEST(ServerPathToUrl, CutsAfterTheDataFolder) {
    std::wstring path = L"E:\\AstRP_1v2\\summary\\12\\summary.mp4";
    std::wstring url;
    EXPECT_EQ(1, ServerPathToUrl(L"10.0.0.5", path, url));
    EXPECT_EQ(L"http://10.0.0.5//summary/12/summary.mp4", url);
    EXPECT_EQ(L"E:\\AstRP_1v2\\summary\\12\\summary.mp4", path);
}

TEST(ServerPathToUrl, RemovesTabsAndLineEndsEverywhere) {
    std::wstring path = L"\tE:\\AstRP_1v2\\s\r\n\\1.mp4\r\n";
    std::wstring url;
    EXPECT_EQ(1, ServerPathToUrl(L"h:81", path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2\\s\\1.mp4", path);
    EXPECT_EQ(L"http://h:81//s/1.mp4", url);
}

TEST(ServerPathToUrl, WithoutTheFolderDropsTheFirstEightCharacters) {
    std::wstring path = L"D:\\video\\cam01.mp4";
    std::wstring url;
    EXPECT_EQ(1, ServerPathToUrl(L"h", path, url));
    EXPECT_EQ(L"http://h//cam01.mp4", url);

    path = L"12345678";
    url = L"untouched";
    EXPECT_EQ(0, ServerPathToUrl(L"h", path, url));
    EXPECT_EQ(L"untouched", url);

    path = L"short";
    EXPECT_EQ(0, ServerPathToUrl(L"h", path, url));
    EXPECT_EQ(L"short", path);
}

TEST(ServerPathToUrl, NothingAfterTheFolderFailsWithTheCleanedPathKept) {
    std::wstring path = L"E:\\AstRP_1v2\r\n";
    std::wstring url = L"untouched";
    EXPECT_EQ(0, ServerPathToUrl(L"h", path, url));
    EXPECT_EQ(L"E:\\AstRP_1v2", path);
    EXPECT_EQ(L"untouched", url);
}

TEST(ServerPathToUrl, FolderAtTheVeryStartKeepsEverythingAfterIt) {
    std::wstring path = L"AstRP_1v2\\a.mp4";
    std::wstring url;
    EXPECT_EQ(1, ServerPathToUrl(L"h", path, url));
    EXPECT_EQ(L"http://h//a.mp4", url);
}

TEST(EscapeUrl, FixedTableInOrder) {
    EXPECT_EQ(L"a%20b%25c", EscapeUrl(L"a b%c"));
    EXPECT_EQ(L"x%3Fy%3D1%26z%3D2", EscapeUrl(L"x?y=1&z=2"));
    EXPECT_EQ(L"%23%2B%21%5E", EscapeUrl(L"#+!^"));
    EXPECT_EQ(L"http://h/a\\b:c/%2525", EscapeUrl(L"http://h/a\\b:c/%25"));
    EXPECT_EQ(L"", EscapeUrl(L""));
}

} // namespace
