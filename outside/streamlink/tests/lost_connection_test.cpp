// A media service that goes away after the login: the player must say so,
// and later requests must fail or complete at once instead of waiting for
// replies that can never come.
#include <winsock2.h> // before anything that includes windows.h
#include <ws2tcpip.h>

#include "media_connection.h" // WinsockSession
#include "media_protocol.h"
#include "stream_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

constexpr char kServiceAddress[] = "127.0.0.63";
constexpr uint16_t kServicePort = 1980;
// How long the service waits for its client at the most: a test that fails
// before connecting must not leave it waiting.
constexpr ULONGLONG kServiceWaitMs = 10000;

class Socket {
public:
    explicit Socket(SOCKET socket = INVALID_SOCKET) : m_socket(socket) {}
    ~Socket() {
        if (m_socket != INVALID_SOCKET)
            closesocket(m_socket);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET Get() const { return m_socket; }

private:
    SOCKET m_socket;
};

// Waits until socket is readable (a client to accept, bytes to read); false
// once stopping is set or the deadline has passed.
bool WaitReadable(SOCKET socket, const std::atomic<bool>& stopping, ULONGLONG deadline) {
    while (!stopping) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        // Short slices, so that stopping is noticed soon.
        timeval slice{0, static_cast<long>(std::min<ULONGLONG>(deadline - now, 50) * 1000)};
        const int ready = select(0, &readable, nullptr, nullptr, &slice);
        if (ready != 0)
            return ready > 0;
    }
    return false;
}

bool ReceiveExactly(SOCKET socket, uint8_t* into, size_t size, const std::atomic<bool>& stopping,
                    ULONGLONG deadline) {
    size_t got = 0;
    while (got < size) {
        if (!WaitReadable(socket, stopping, deadline))
            return false;
        const int n =
            recv(socket, reinterpret_cast<char*>(into + got), static_cast<int>(size - got), 0);
        if (n <= 0)
            return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

// Listens once: takes one client, reads its login, lets it in, hangs up.
class OneLoginService {
public:
    OneLoginService() : m_listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kServicePort);
        inet_pton(AF_INET, kServiceAddress, &address.sin_addr);
        m_listening =
            bind(m_listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(m_listener.Get(), 1) == 0;
        if (m_listening)
            m_thread = std::thread([this] { Serve(); });
    }
    ~OneLoginService() {
        m_stopping = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    bool Listening() const { return m_listening; }
    bool LoginAnswered() const { return m_answered; }

private:
    void Serve() {
        const ULONGLONG deadline = GetTickCount64() + kServiceWaitMs;
        if (!WaitReadable(m_listener.Get(), m_stopping, deadline))
            return;
        const Socket client(accept(m_listener.Get(), nullptr, nullptr));
        uint8_t headerBytes[media::kHeaderSize];
        if (client.Get() == INVALID_SOCKET ||
            !ReceiveExactly(client.Get(), headerBytes, sizeof headerBytes, m_stopping, deadline))
            return;
        const auto header = media::ParseRequestHeader(headerBytes);
        if (!header)
            return;
        std::vector<uint8_t> payload(header->length);
        if (!ReceiveExactly(client.Get(), payload.data(), payload.size(), m_stopping, deadline))
            return;
        std::vector<uint8_t> reply;
        media::AppendReply(media::LoginReply{media::kLoginOk}, reply);
        m_answered = send(client.Get(), reinterpret_cast<const char*>(reply.data()),
                          static_cast<int>(reply.size()), 0) == static_cast<int>(reply.size());
    }

    WinsockSession m_winsock;
    Socket m_listener;
    bool m_listening = false;
    std::atomic<bool> m_answered{false};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

TEST(StreamLinkLostConnection, LaterOpensFailAndACloseCompletesAtOnce) {
    OneLoginService service;
    ASSERT_TRUE(service.Listening());
    NotifiedWindows windows(64, 48);
    ConnectedPlayer player;
    player.handle = SC_OpenPlayer(kNotifyMessage, windows.Notify());
    ASSERT_EQ(1, SC_ConnectServer(player.handle, kServiceAddress, kServicePort, "kerbo", "kerbo"));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_CONNECTED, 5000));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_CONNECTION_FAILED, 5000));
    EXPECT_TRUE(service.LoginAnswered());

    // Each open is refused at once; none is left waiting for a reply.
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(0, SC_OpenMedia(player.handle, "E:\\AstRP_1v2\\summary\\12\\summary.mp4"));
        EXPECT_EQ(SC_STATUS_CONNECTION_FAILED, SC_GetStatus(player.handle));
    }
    // A caller that closes before opening something else hears the close.
    EXPECT_EQ(1, SC_CloseMedia(player.handle));
    EXPECT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_CLOSED, 2000));
    EXPECT_EQ(SC_STATUS_MEDIA_CLOSED, SC_GetStatus(player.handle));
}

} // namespace
