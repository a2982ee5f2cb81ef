// The media service on a real socket: a client streams a synopsis, a client
// that does not speak the protocol is dropped without harm to others, every
// request is logged, and stopping the server tells clients their media closed.
#include "../media_server.h"
#include "sample_data.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHost = "127.0.0.60";

class Connection {
public:
    explicit Connection(int port) {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, kHost, &address.sin_addr);
        m_connected =
            connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Connection() { close(m_socket); }
    bool Connected() const { return m_connected; }

    void SendBytes(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(static_cast<ssize_t>(bytes.size()),
                  send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL));
    }
    void Send(const media::Request& request) {
        std::vector<uint8_t> bytes;
        media::AppendRequest(request, bytes);
        SendBytes(bytes);
    }
    // The next reply; nothing at the end of the stream or after 5 s.
    std::optional<media::Reply> Receive() {
        uint8_t header[media::kHeaderSize];
        if (!ReadExactly(header, sizeof(header)))
            return std::nullopt;
        const auto parsed = media::ParseReplyHeader(header);
        if (!parsed)
            return std::nullopt;
        m_payload.resize(parsed->length);
        if (!ReadExactly(m_payload.data(), m_payload.size()))
            return std::nullopt;
        return media::ParseReply(parsed->type, m_payload);
    }
    // True when the server ended the connection (within 5 s): closed, or
    // reset when it was still waiting to be accepted.
    bool ClosedByPeer() {
        uint8_t byte;
        return WaitReadable() && recv(m_socket, &byte, 1, 0) <= 0;
    }

private:
    bool WaitReadable() {
        pollfd wait = {m_socket, POLLIN, 0};
        return poll(&wait, 1, 5000) == 1;
    }
    bool ReadExactly(uint8_t* into, size_t size) {
        size_t got = 0;
        while (got < size) {
            if (!WaitReadable())
                return false;
            const ssize_t n = recv(m_socket, into + got, size - got, 0);
            if (n <= 0)
                return false;
            got += static_cast<size_t>(n);
        }
        return true;
    }

    int m_socket = -1;
    bool m_connected = false;
    std::vector<uint8_t> m_payload;
};

class MediaServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder per test and process: ctest runs the tests side by side.
        m_dir = std::filesystem::temp_directory_path() /
                ("media_server_test_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "_" + std::to_string(getpid()));
        std::filesystem::remove_all(m_dir);
        std::string error;
        ASSERT_TRUE(WriteSampleData(MakeSampleData(), m_dir, error)) << error;
        ASSERT_TRUE(m_log.Open((m_dir / "requests.log").string()));
        m_server = std::make_unique<SampleMediaServer>(FilesRoot(m_dir), m_log);
        ASSERT_TRUE(m_server->Listen(kHost, m_port, error)) << error;
    }
    void TearDown() override {
        m_server.reset();
        std::filesystem::remove_all(m_dir);
    }
    std::vector<LoggedRequest> Logged() {
        std::ifstream in(m_dir / "requests.log", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        size_t unreadable = 0;
        auto records = ParseLogRecords(text.str(), &unreadable);
        EXPECT_EQ(0u, unreadable);
        return records;
    }
    void OpenSynopsis(Connection& client) {
        client.Send(media::LoginRequest{1, "kerbo", "kerbo"});
        client.Send(media::OpenRequest{1, "E:\\AstRP_1v2\\summary\\12\\summary.mp4"});
        const auto login = client.Receive();
        ASSERT_TRUE(login && std::holds_alternative<media::LoginReply>(*login));
        const auto open = client.Receive();
        ASSERT_TRUE(open && std::holds_alternative<media::OpenReply>(*open));
        ASSERT_EQ(media::kOpenOk, std::get<media::OpenReply>(*open).result);
        m_info = std::get<media::OpenReply>(*open).info;
    }

    std::filesystem::path m_dir;
    RequestLog m_log;
    std::unique_ptr<SampleMediaServer> m_server;
    int m_port = 0;
    media::MediaInfo m_info;
};

TEST_F(MediaServerTest, StreamsASynopsisFromASeekPositionAndLogsEachRequest) {
    Connection client(m_port);
    ASSERT_TRUE(client.Connected());
    OpenSynopsis(client);
    EXPECT_EQ(704u, m_info.width);
    EXPECT_EQ(576u, m_info.height);
    client.Send(media::SeekRequest{2, 40});
    client.Send(media::PlayRequest{});
    uint32_t expected = 40;
    for (int i = 0; i < 5; ++i) {
        const auto reply = client.Receive();
        ASSERT_TRUE(reply && std::holds_alternative<media::FrameMessage>(*reply));
        const auto& frame = std::get<media::FrameMessage>(*reply);
        if (frame.flags & media::kFrameStill)
            continue; // the seek may be answered before play arrives
        EXPECT_EQ(2u, frame.token);
        EXPECT_EQ(expected++, frame.index);
        EXPECT_TRUE(media::FrameFitsMedia(frame, m_info));
        EXPECT_GE(frame.metadata.size(), 16u);
    }
    client.Send(media::CloseRequest{3});
    for (;;) {
        const auto reply = client.Receive();
        ASSERT_TRUE(reply);
        if (std::holds_alternative<media::ClosedReply>(*reply)) {
            EXPECT_EQ(3u, std::get<media::ClosedReply>(*reply).token);
            break;
        }
    }
    const auto logged = Logged();
    ASSERT_EQ(5u, logged.size());
    EXPECT_EQ("LOGIN", logged[0].method);
    EXPECT_EQ("kerbo", logged[0].target);
    EXPECT_EQ("OPEN", logged[1].method);
    EXPECT_EQ("E:\\AstRP_1v2\\summary\\12\\summary.mp4", logged[1].target);
    EXPECT_EQ("SEEK", logged[2].method);
    EXPECT_EQ("40", logged[2].target);
    EXPECT_EQ("PLAY", logged[3].method);
    EXPECT_EQ("CLOSE", logged[4].method);
    for (const LoggedRequest& record : logged) {
        EXPECT_EQ("MEDIA/1", record.version);
        ASSERT_EQ(1u, record.headers.size());
        EXPECT_EQ("Peer", record.headers[0].first);
    }
}

TEST_F(MediaServerTest, AForeignClientIsDroppedAndOthersCarryOn) {
    Connection http(m_port);
    const std::string get = "GET / HTTP/1.0\r\n\r\n";
    http.SendBytes(std::vector<uint8_t>(get.begin(), get.end()));
    EXPECT_TRUE(http.ClosedByPeer());

    Connection truncated(m_port);
    truncated.SendBytes({0x00, 0x01, 0x00}); // half a header, then gone
    {
        Connection client(m_port);
        OpenSynopsis(client);
    }
    Connection after(m_port);
    OpenSynopsis(after);
    // Only the two clients that spoke the protocol are in the log; the foreign
    // and the truncated request left nothing.
    const auto logged = Logged();
    ASSERT_EQ(4u, logged.size());
    const std::string synopsis = "E:\\AstRP_1v2\\summary\\12\\summary.mp4";
    const std::pair<std::string, std::string> expected[] = {
        {"LOGIN", "kerbo"}, {"OPEN", synopsis}, {"LOGIN", "kerbo"}, {"OPEN", synopsis}};
    for (size_t i = 0; i < logged.size(); ++i) {
        EXPECT_EQ(expected[i].first, logged[i].method) << i;
        EXPECT_EQ(expected[i].second, logged[i].target) << i;
    }
    const auto peer = [](const LoggedRequest& record) { return record.headers.at(0).second; };
    EXPECT_EQ(peer(logged[0]), peer(logged[1]));
    EXPECT_EQ(peer(logged[2]), peer(logged[3]));
}

TEST_F(MediaServerTest, StoppingTellsClientsWithOpenMediaAndHangsUp) {
    Connection client(m_port);
    OpenSynopsis(client);
    Connection idle(m_port);
    m_server->Stop();
    const auto closed = client.Receive();
    ASSERT_TRUE(closed && std::holds_alternative<media::ClosedReply>(*closed));
    EXPECT_EQ(media::kClosedByServer, std::get<media::ClosedReply>(*closed).reason);
    EXPECT_TRUE(client.ClosedByPeer());
    EXPECT_TRUE(idle.ClosedByPeer());
}

} // namespace
