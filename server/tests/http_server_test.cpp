// The sample server over real sockets on a loopback address of its own.
#include "../http_server.h"
#include "sample_data.h"
#include "sample_video.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr const char* kHost = "127.0.0.31";

class SampleHttpServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::filesystem::temp_directory_path() / ("vr_server_" + std::to_string(getpid()));
        std::filesystem::remove_all(s_dir);
        std::string error;
        SampleData data = MakeSampleData();
        ASSERT_TRUE(WriteSampleData(data, s_dir, error)) << error;
        s_state = new ServerState;
        s_state->catalog = data.catalog;
        s_state->filesRoot = FilesRoot(s_dir);
        s_log = new RequestLog;
        ASSERT_TRUE(s_log->Open((s_dir / "requests.log").string()));
        s_server = new SampleHttpServer(*s_state, *s_log);
        // Any free port on our own address.
        s_port = 0;
        ASSERT_TRUE(s_server->Listen(kHost, s_port, error)) << error;
    }
    static void TearDownTestSuite() {
        delete s_server;
        delete s_log;
        delete s_state;
        std::filesystem::remove_all(s_dir);
    }

    httplib::Client Client() {
        httplib::Client client(kHost, s_port);
        client.set_connection_timeout(5);
        return client;
    }

    std::vector<LoggedRequest> LogSince(size_t offset) {
        std::ifstream in(s_dir / "requests.log", std::ios::binary);
        in.seekg(static_cast<std::streamoff>(offset));
        std::vector<LoggedRequest> records;
        std::string line;
        while (std::getline(in, line)) {
            LoggedRequest record;
            EXPECT_TRUE(ParseLogRecord(line, record)) << line;
            records.push_back(record);
        }
        return records;
    }
    size_t LogSize() { return std::filesystem::file_size(s_dir / "requests.log"); }

    static inline std::filesystem::path s_dir;
    static inline ServerState* s_state = nullptr;
    static inline RequestLog* s_log = nullptr;
    static inline SampleHttpServer* s_server = nullptr;
    static inline int s_port = 0;
};

TEST_F(SampleHttpServerTest, ScriptsAnswerWithTheirValues) {
    auto client = Client();
    auto reply = client.Get("/query_ex.php?flowNumber=12");
    ASSERT_TRUE(reply);
    EXPECT_EQ(200, reply->status);
    EXPECT_NE(
        std::string::npos,
        reply->body.find("<summarypath>E:\\AstRP_1v2\\summary\\12\\summary.mp4\r\n</summarypath>"));
    reply = client.Get("/taskdetail.php?flowNumber=12");
    ASSERT_TRUE(reply);
    EXPECT_NE(std::string::npos, reply->body.find("<sourceUrl>"));
    reply = client.Get("/Server.php?command=QueryTubeBasicInfoFilename&FlowNumber=12");
    ASSERT_TRUE(reply);
    EXPECT_NE(std::string::npos, reply->body.find("<ret>0</ret>"));
    reply = client.Get("/nosuchscript.php");
    ASSERT_TRUE(reply);
    EXPECT_EQ(404, reply->status);
}

TEST_F(SampleHttpServerTest, SnapshotScriptNamesAJpegItServes) {
    auto client = Client();
    const struct {
        const char* query;
        const char* snapshot; // empty: none
    } cases[] = {
        {"UserUploadVideoId=3", "\\snapshot\\upload\\3\\cam01_transcoded.jpg"},
        {"file=E:\\AstRP_1v2\\video\\12\\cam01.mp4", "\\snapshot\\video\\12\\cam01.jpg"},
        {"file=E:/AstRP_1v2/video/31/cam01.mp4", "\\snapshot\\video\\31\\cam01.jpg"},
        {"UserUploadVideoId=123", ""},
        {"file=E:\\AstRP_1v2\\..\\catalog.ini", ""},
        {"file=", ""},
    };
    for (const auto& c : cases) {
        auto reply = client.Get(std::string("/getvideosnapshot.php?") + c.query);
        ASSERT_TRUE(reply) << c.query;
        EXPECT_NE(std::string::npos,
                  reply->body.find(std::string("<snapshot>") + c.snapshot + "</snapshot>"))
            << c.query << "\n" << reply->body;
    }
    auto picture = client.Get("/snapshot/video/12/cam01.jpg");
    ASSERT_TRUE(picture);
    EXPECT_EQ(200, picture->status);
    EXPECT_EQ("image/jpeg", picture->get_header_value("Content-Type"));
    ASSERT_GT(picture->body.size(), 1000u);
    EXPECT_EQ("\xFF\xD8\xFF", picture->body.substr(0, 3));
    EXPECT_EQ("\xFF\xD9", picture->body.substr(picture->body.size() - 2));
}

TEST_F(SampleHttpServerTest, ServesFilesByTheirPathBelowTheDataFolder) {
    auto client = Client();
    auto reply = client.Get("//tube/12/12.tbi");
    ASSERT_TRUE(reply);
    EXPECT_EQ(200, reply->status);
    EXPECT_EQ(std::filesystem::file_size(FilesRoot(s_dir) / "tube/12/12.tbi"), reply->body.size());
    EXPECT_EQ("ASTI", reply->body.substr(0, 4));
    for (const char* path :
         {"/tube/12/none.tbi", "/../catalog.ini", "/%2e%2e/catalog.ini", "/tube"}) {
        reply = client.Get(path);
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(404, reply->status) << path;
    }
}

TEST_F(SampleHttpServerTest, FragmentIsCutAndPublished) {
    auto client = Client();
    auto reply = client.Get("/getorgvideofragmenturl.php?filename=E%3A%5CAstRP_1v2%5Cvideo%5C12%"
                            "5Ccam01.mp4&ss=4&endpos=6");
    ASSERT_TRUE(reply);
    const size_t open = reply->body.find("<url>");
    const size_t close = reply->body.find("</url>");
    ASSERT_NE(std::string::npos, open);
    ASSERT_NE(std::string::npos, close);
    const std::string url = reply->body.substr(open + 5, close - open - 5);
    EXPECT_EQ('/', url[0]);
    auto piece = client.Get(url.c_str());
    ASSERT_TRUE(piece);
    ASSERT_EQ(200, piece->status);
    std::string error;
    auto video = ReadSampleVideo(piece->body, error);
    ASSERT_TRUE(video) << error;
    EXPECT_EQ(100, video->firstFrame);
    EXPECT_EQ(150, video->frameCount);

    reply = client.Get(
        "/getorgvideofragmenturl.php?filename=E%3A%5CAstRP_1v2%5C..%5Ccatalog.ini&ss=0&endpos=1");
    ASSERT_TRUE(reply);
    EXPECT_EQ(std::string::npos, reply->body.find("<url>"));
}

TEST_F(SampleHttpServerTest, LogsMethodTargetVersionHeadersAndBody) {
    const size_t before = LogSize();
    auto client = Client();
    auto reply = client.Post("//submittask.php?x=1", std::string("a=\xD6\xD0", 4),
                             "application/x-www-form-urlencoded");
    ASSERT_TRUE(reply);
    const auto records = LogSince(before);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("POST", records[0].method);
    EXPECT_EQ("//submittask.php?x=1", records[0].target);
    EXPECT_EQ("HTTP/1.1", records[0].version);
    EXPECT_EQ(std::string("a=\xD6\xD0", 4), records[0].body);
    bool contentType = false;
    for (const auto& [name, value] : records[0].headers)
        contentType |= name == "Content-Type" && value == "application/x-www-form-urlencoded";
    EXPECT_TRUE(contentType);
}

TEST_F(SampleHttpServerTest, SurvivesGarbageAndKeepsServing) {
    const int sock = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(s_port));
    inet_pton(AF_INET, kHost, &address.sin_addr);
    ASSERT_EQ(0, connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)));
    const std::string garbage = std::string("\x01\x02 GET /\xff\xfe HTTP/9.9\r\nX: ") +
                                std::string(100000, 'A') + "\r\n\r\n";
    (void)!write(sock, garbage.data(), garbage.size());
    close(sock);

    auto reply = Client().Get("/query_ex.php?flowNumber=12");
    ASSERT_TRUE(reply);
    EXPECT_EQ(200, reply->status);
}

} // namespace
