// The WinInet client against the sample server on its own loopback address.
#include "http_client.h"
#include "internet_handles.h"
#include "test_fixture.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const SampleServerFixture& Server() {
    return SampleServerFixture::Get();
}

std::wstring UrlOf(const std::wstring& object) {
    return L"http://" + Server().Server() + object;
}

// An address on which nothing listens.
const wchar_t kClosedServer[] = L"http://127.0.0.22:1/query_ex.php?flowNumber=12";

std::string HeaderOf(const LoggedRequest& request, const std::string& name) {
    for (const auto& [key, value] : request.headers)
        if (_stricmp(key.c_str(), name.c_str()) == 0)
            return value;
    return "<absent>";
}

// The one request the server logged since offset.
LoggedRequest OnlyRequestSince(size_t offset) {
    const auto requests = Server().RequestsSince(offset);
    EXPECT_EQ(1u, requests.size());
    return requests.empty() ? LoggedRequest{} : requests.back();
}

// Runs the test body with the thread's ANSI code page set to GBK (936).
class ThreadLocaleScope {
public:
    explicit ThreadLocaleScope(LCID locale) : m_old(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocaleScope() { SetThreadLocale(m_old); }

private:
    LCID m_old;
};

UINT ThreadAnsiCodePage() {
    CPINFOEXW info = {};
    return GetCPInfoExW(CP_THREAD_ACP, 0, &info) ? info.CodePage : 0;
}

std::wstring Decode(UINT codePage, const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

TEST(HttpGetText, SendsAnHttp10GetWithTheClientsHeadersAndReadsTheReply) {
    const size_t before = Server().LogSize();
    std::wstring reply;
    EXPECT_EQ(1, HttpGetText(UrlOf(L"/query_ex.php?flowNumber=12").c_str(), reply));
    EXPECT_NE(
        std::wstring::npos,
        reply.find(L"<summarypath>E:\\AstRP_1v2\\summary\\12\\summary.mp4\r\n</summarypath>"));

    const LoggedRequest request = OnlyRequestSince(before);
    EXPECT_EQ("GET", request.method);
    EXPECT_EQ("/query_ex.php?flowNumber=12", request.target);
    EXPECT_EQ("HTTP/1.0", request.version);
    EXPECT_EQ("*/*", HeaderOf(request, "Accept"));
    const std::string agent = HeaderOf(request, "User-Agent");
    EXPECT_TRUE(agent == "<absent>" || agent.empty()) << agent;
}

TEST(HttpGetText, UrlWithoutPortUsesPort80) {
    std::wstring host = Server().Server().substr(0, Server().Server().find(L':'));
    std::wstring reply;
    EXPECT_EQ(1, HttpGetText((L"http://" + host + L"/query_ex.php?flowNumber=7").c_str(), reply));
    EXPECT_NE(std::wstring::npos, reply.find(L"summary\\7\\summary.mp4"));
}

// "http://h//x.php" splits into object "/x.php", which already is an absolute
// path: the request line carries it as it is.
TEST(HttpGetText, DoubledSlashGivesAnObjectSentAsTheAbsolutePath) {
    const size_t before = Server().LogSize();
    std::wstring reply;
    HttpGetText(UrlOf(L"//taskdetail.php?flowNumber=12").c_str(), reply);
    EXPECT_NE(std::wstring::npos, reply.find(L"<sourceUrl>"));
    EXPECT_EQ("/taskdetail.php?flowNumber=12", OnlyRequestSince(before).target);
}

TEST(HttpGetText, LongReplyArrivesWholeAndInOrder) {
    std::string body;
    for (int i = 0; body.size() < 10000; ++i)
        body += static_cast<char>('A' + i % 26) + std::to_string(i) + ",";
    body.resize(10000);
    ASSERT_TRUE(WriteFileBytes(Server().DataFile("long10000.txt"), body));
    std::wstring reply;
    EXPECT_EQ(1, HttpGetText(UrlOf(L"/long10000.txt").c_str(), reply));
    EXPECT_EQ(std::wstring(body.begin(), body.end()), reply);
}

TEST(HttpGetText, GbkReplyConvertsUnderCodePage936EvenWhenAChunkSplitsACharacter) {
    ThreadLocaleScope chinese(MAKELCID(0x804, SORT_DEFAULT));
    ASSERT_EQ(936u, ThreadAnsiCodePage()) << "SetThreadLocale(0x804) should make CP_THREAD_ACP GBK";
    // One ASCII byte first, then two-byte characters only: every chunk boundary
    // at an even offset (4096 among them) falls inside a character.
    std::string body = "a";
    while (body.size() < 12000)
        body += "\xD6\xD0\xCE\xC4\xCA\xD3\xC6\xB5"; // 中文视频
    body += "z";
    ASSERT_TRUE(WriteFileBytes(Server().DataFile("gbk.txt"), body));
    std::wstring reply;
    EXPECT_EQ(1, HttpGetText(UrlOf(L"/gbk.txt").c_str(), reply));
    const std::wstring expected = Decode(936, body);
    ASSERT_EQ(expected.size(), reply.size());
    EXPECT_EQ(expected, reply);
    EXPECT_EQ(std::wstring::npos, reply.find(L'\xFFFD'));
    EXPECT_EQ(L'\x4E2D', reply[1]);
}

TEST(HttpGetText, FailuresStillReturnOneWithAnEmptyReply) {
    std::wstring reply = L"old";
    EXPECT_EQ(1, HttpGetText(kClosedServer, reply));
    EXPECT_EQ(L"", reply);
    reply = L"old";
    EXPECT_EQ(1, HttpGetText(L"http://host", reply));
    EXPECT_EQ(L"", reply);
    reply = L"old";
    EXPECT_EQ(0, HttpGetText(nullptr, reply));
    EXPECT_EQ(L"", reply);
}

TEST(HttpGetText, ErrorStatusGivesTheBodyTheServerSent) {
    // The server answers a script it does not have with 404 and a short reply.
    std::wstring reply;
    EXPECT_EQ(1, HttpGetText(UrlOf(L"/nosuchscript.php?flowNumber=12").c_str(), reply));
    EXPECT_EQ(L"<ret>-1</ret>\r\n<error>no such script</error>\r\n", reply);
    // A missing file's 404 has no body.
    reply = L"old";
    EXPECT_EQ(1, HttpGetText(UrlOf(L"/no/such/file.txt").c_str(), reply));
    EXPECT_EQ(L"", reply);
}

TEST(HttpPostForm, SendsAFormBodyInTheThreadsCodePage) {
    ThreadLocaleScope chinese(MAKELCID(0x804, SORT_DEFAULT));
    const size_t before = Server().LogSize();
    std::wstring reply;
    EXPECT_EQ(1, HttpPostForm(UrlOf(L"//query_ex.php?flowNumber=12").c_str(),
                              L"name=\x4E2D\x6587&x=1", reply));
    EXPECT_NE(std::wstring::npos, reply.find(L"<summarypath>"));

    const LoggedRequest request = OnlyRequestSince(before);
    EXPECT_EQ("POST", request.method);
    EXPECT_EQ("/query_ex.php?flowNumber=12", request.target);
    EXPECT_EQ("HTTP/1.0", request.version);
    EXPECT_EQ("application/x-www-form-urlencoded", HeaderOf(request, "Content-Type"));
    EXPECT_EQ("OCX", HeaderOf(request, "User-Agent"));
    EXPECT_EQ("name=\xD6\xD0\xCE\xC4&x=1", request.body); // GBK, no terminating zero
}

TEST(HttpPostForm, FailsWhenTheRequestCannotBeSent) {
    std::wstring reply = L"old";
    EXPECT_EQ(0, HttpPostForm(kClosedServer, L"a=1", reply));
    EXPECT_EQ(L"", reply);
    EXPECT_EQ(0, HttpPostForm(nullptr, L"a=1", reply));
}

class HttpDownloadFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = Server().MakeScratchFolder(
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::wstring m_folder;
};

TEST_F(HttpDownloadFileTest, Status200WritesTheBodyWithTheProcessNameAsAgent) {
    const std::wstring target = m_folder + L"\\12.tbi";
    const size_t before = Server().LogSize();
    EXPECT_EQ(1, HttpDownloadFile(UrlOf(L"/tube/12/12.tbi").c_str(), target.c_str()));
    EXPECT_EQ(ReadFileBytes(Server().DataFile("tube/12/12.tbi")), ReadFileBytes(target));

    const LoggedRequest request = OnlyRequestSince(before);
    EXPECT_EQ("/tube/12/12.tbi", request.target);
    const std::wstring name = ProcessBaseName();
    EXPECT_EQ(std::string(name.begin(), name.end()), HeaderOf(request, "User-Agent"));
}

TEST_F(HttpDownloadFileTest, Status404ReturnsZeroAndCreatesNothing) {
    const std::wstring target = m_folder + L"\\missing.tbi";
    EXPECT_EQ(0, HttpDownloadFile(UrlOf(L"/tube/12/none.tbi").c_str(), target.c_str()));
    EXPECT_FALSE(FileExists(target));
}

TEST_F(HttpDownloadFileTest, SecondDownloadAppendsAndAFailedOneLeavesTheFileAlone) {
    const std::wstring target = m_folder + L"\\twice.txt";
    ASSERT_TRUE(WriteFileBytes(Server().DataFile("small.txt"), "0123456789"));
    EXPECT_EQ(1, HttpDownloadFile(UrlOf(L"/small.txt").c_str(), target.c_str()));
    EXPECT_EQ(1, HttpDownloadFile(UrlOf(L"/small.txt").c_str(), target.c_str()));
    EXPECT_EQ("01234567890123456789", ReadFileBytes(target));
    EXPECT_EQ(0, HttpDownloadFile(UrlOf(L"/none.txt").c_str(), target.c_str()));
    EXPECT_EQ("01234567890123456789", ReadFileBytes(target));
}

TEST_F(HttpDownloadFileTest, UnreachableServerOrNullArgumentsReturnZero) {
    const std::wstring target = m_folder + L"\\x.tbi";
    EXPECT_EQ(0, HttpDownloadFile(kClosedServer, target.c_str()));
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(0, HttpDownloadFile(nullptr, target.c_str()));
    EXPECT_EQ(0, HttpDownloadFile(UrlOf(L"/small.txt").c_str(), nullptr));
}

TEST_F(HttpDownloadFileTest, FileThatCannotBeOpenedIsAFailure) {
    ASSERT_TRUE(WriteFileBytes(Server().DataFile("small2.txt"), "abc"));
    const std::wstring target = m_folder + L"\\no\\such\\folder\\x.txt";
    EXPECT_EQ(0, HttpDownloadFile(UrlOf(L"/small2.txt").c_str(), target.c_str()));
}

} // namespace
