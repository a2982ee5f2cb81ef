#include "media_connection.h"

#include <ws2tcpip.h>

#include <new>

namespace {

// How often a waiting read looks at the interrupt flag, should the socket's
// shutdown not wake it.
constexpr long kReadPollMicroseconds = 200 * 1000;
// A large receive buffer lets one read take a good part of a picture: every
// socket call is costly under emulation.
constexpr int kReceiveBufferBytes = 4 << 20;
// Requests are small; a send buffer that stays full this long means a server
// that stopped reading.
constexpr long kSendWaitMicroseconds = 2000 * 1000;

// Waits until the socket can be read (or written): 1 ready, 0 timed out,
// negative on error.
int WaitReady(SOCKET socket, bool forWriting, long microseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait = {microseconds / 1000000, microseconds % 1000000};
    return select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &wait);
}

bool WaitConnected(SOCKET socket, DWORD timeoutMs) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval timeout = {static_cast<long>(timeoutMs / 1000),
                       static_cast<long>(timeoutMs % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &timeout) != 1 || FD_ISSET(socket, &failed))
        return false;
    int error = 0;
    int length = sizeof(error);
    return getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) ==
               0 &&
           error == 0;
}

} // namespace

MediaConnection::~MediaConnection() {
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
}

bool MediaConnection::Connect(const std::string& host, uint16_t port, DWORD timeoutMs) {
    if (!m_winsock.Started() || m_socket != INVALID_SOCKET || host.empty())
        return false;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> holdFound(found, freeaddrinfo);

    SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    if (s == INVALID_SOCKET)
        return false;
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    const int started = connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen));
    if ((started != 0 && WSAGetLastError() != WSAEWOULDBLOCK) ||
        (started != 0 && !WaitConnected(s, timeoutMs))) {
        closesocket(s);
        return false;
    }
    // The socket stays non-blocking: reads take what has arrived and wait in
    // select only when nothing has.
    const int receiveBuffer = kReceiveBufferBytes;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer),
               sizeof(receiveBuffer));
    BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof(noDelay));
    m_socket = s;
    return true;
}

bool MediaConnection::Send(const media::Request& request) {
    std::vector<uint8_t> bytes;
    media::AppendRequest(request, bytes);
    std::lock_guard<std::mutex> hold(m_sendLock);
    if (m_socket == INVALID_SOCKET || m_interrupted)
        return false;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = send(m_socket, reinterpret_cast<const char*>(bytes.data() + sent),
                           static_cast<int>(bytes.size() - sent), 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n == 0 || WSAGetLastError() != WSAEWOULDBLOCK || m_interrupted ||
            WaitReady(m_socket, true, kSendWaitMicroseconds) != 1)
            return false;
    }
    return true;
}

void MediaConnection::Interrupt() {
    m_interrupted = true;
    if (m_socket != INVALID_SOCKET)
        shutdown(m_socket, SD_BOTH);
}

MediaConnection::ReadResult MediaConnection::ReadExactly(uint8_t* into, size_t size) {
    size_t got = 0;
    while (got < size) {
        if (m_interrupted)
            return ReadResult::kInterrupted;
        const size_t want = std::min<size_t>(size - got, 1 << 24);
        const int n =
            recv(m_socket, reinterpret_cast<char*>(into + got), static_cast<int>(want), 0);
        if (n > 0) {
            got += static_cast<size_t>(n);
            continue;
        }
        if (n == 0 || WSAGetLastError() != WSAEWOULDBLOCK ||
            WaitReady(m_socket, false, kReadPollMicroseconds) < 0)
            return m_interrupted ? ReadResult::kInterrupted : ReadResult::kClosed;
    }
    return ReadResult::kMessage;
}

MediaConnection::ReadResult MediaConnection::Read(media::MessageHeader& header,
                                                  std::vector<uint8_t>& payload) {
    if (m_socket == INVALID_SOCKET)
        return ReadResult::kClosed;
    uint8_t bytes[media::kHeaderSize];
    ReadResult result = ReadExactly(bytes, sizeof(bytes));
    if (result != ReadResult::kMessage)
        return result;
    const auto parsed = media::ParseReplyHeader(bytes);
    if (!parsed)
        return ReadResult::kBroken;
    header = *parsed;
    try {
        payload.resize(header.length);
    } catch (const std::bad_alloc&) {
        return ReadResult::kBroken; // a frame this process cannot hold
    }
    return ReadExactly(payload.data(), payload.size());
}
