#include "media_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

constexpr size_t kReadChunk = 4096;
// Replies waiting beyond the frame being sent; a client that sends requests
// without reading the replies is not read from until they have gone.
constexpr size_t kReplyBacklog = 64 * 1024;

std::string PeerName(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof(text));
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

void SetNonBlocking(int socket) {
    fcntl(socket, F_SETFL, fcntl(socket, F_GETFL, 0) | O_NONBLOCK);
}

LoggedRequest LogRecordOf(const media::Request& request, const std::string& peer) {
    const media::RequestSummary summary = media::Summarize(request);
    LoggedRequest record;
    record.method = summary.name;
    record.target = summary.argument;
    record.version = "MEDIA/1";
    record.headers.emplace_back("Peer", peer);
    return record;
}

// Sends what the socket takes now; false when the peer is gone.
bool SendSome(int socket, std::vector<uint8_t>& out, size_t& sent) {
    while (sent < out.size()) {
        const ssize_t n = send(socket, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
    if (sent == out.size()) {
        out.clear();
        sent = 0;
    }
    return true;
}

} // namespace

SampleMediaServer::SampleMediaServer(const std::filesystem::path& filesRoot, RequestLog& log)
    : m_opener(FolderMediaOpener(filesRoot)), m_log(log) {
    if (pipe(m_stopPipe) != 0)
        m_stopPipe[0] = m_stopPipe[1] = -1;
}

SampleMediaServer::~SampleMediaServer() {
    Stop();
    for (int fd : m_stopPipe)
        if (fd >= 0)
            close(fd);
}

bool SampleMediaServer::Listen(const std::string& host, int& port, std::string& error) {
    error = "cannot listen for media on " + host + ":" + std::to_string(port);
    if (m_stopPipe[0] < 0 || m_stopped)
        return false;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    freeaddrinfo(found);
    address.sin_port = htons(static_cast<uint16_t>(port));

    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return false;
    const int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener, 16) != 0) {
        error += std::string(": ") + std::strerror(errno);
        close(listener);
        return false;
    }
    socklen_t length = sizeof(address);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    m_listeners.push_back(listener);
    m_acceptThreads.emplace_back([this, listener] { AcceptLoop(listener); });
    error.clear();
    return true;
}

void SampleMediaServer::Stop() {
    if (m_stopped)
        return;
    m_stopped = true;
    if (m_stopPipe[1] >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t n = write(m_stopPipe[1], &wake, 1);
    }
    for (std::thread& thread : m_acceptThreads)
        thread.join();
    m_acceptThreads.clear();
    for (int listener : m_listeners)
        close(listener);
    m_listeners.clear();
    std::lock_guard<std::mutex> hold(m_clientsLock);
    for (auto& client : m_clients)
        client->thread.join();
    m_clients.clear();
}

void SampleMediaServer::ReapFinishedClients() {
    for (auto it = m_clients.begin(); it != m_clients.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = m_clients.erase(it);
        } else {
            ++it;
        }
    }
}

void SampleMediaServer::AcceptLoop(int listener) {
    for (;;) {
        pollfd waits[2] = {{listener, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 && errno != EINTR)
            return;
        if (waits[1].revents != 0)
            return;
        if ((waits[0].revents & POLLIN) == 0)
            continue;
        sockaddr_in peer = {};
        socklen_t length = sizeof(peer);
        const int socket =
            accept4(listener, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
        if (socket < 0)
            continue;
        std::lock_guard<std::mutex> hold(m_clientsLock);
        ReapFinishedClients();
        if (m_clients.size() >= kMaxClients) {
            close(socket);
            continue;
        }
        auto client = std::make_unique<Client>();
        Client* raw = client.get();
        const std::string name = PeerName(peer);
        raw->thread = std::thread([this, raw, socket, name] {
            Serve(socket, name);
            close(socket);
            raw->finished = true;
        });
        m_clients.push_back(std::move(client));
    }
}

void SampleMediaServer::Serve(int socket, const std::string& peer) {
    using Clock = MediaSession::Clock;
    SetNonBlocking(socket);
    const int yes = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));

    MediaSession session(m_opener);
    media::RequestReader reader;
    std::vector<uint8_t> out;
    size_t sent = 0;
    size_t readLimit = kReplyBacklog;
    uint8_t chunk[kReadChunk];
    for (;;) {
        // Frames are made only once the previous output has gone: a slow
        // client slows the stream down instead of piling it up here.
        int timeout = -1;
        const auto due = out.empty() ? session.NextFrameDue() : std::nullopt;
        if (due) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now());
            timeout = static_cast<int>(std::max<int64_t>(wait.count(), 0));
        }
        if (out.empty())
            readLimit = kReplyBacklog;
        const short events =
            static_cast<short>((out.size() < readLimit ? POLLIN : 0) | (out.empty() ? 0 : POLLOUT));
        pollfd waits[2] = {{socket, events, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (poll(waits, 2, timeout) < 0 && errno != EINTR)
            return;
        if (waits[1].revents != 0) {
            // Best effort: the client learns why its media went away.
            session.AppendServerClosing(out);
            SendSome(socket, out, sent);
            return;
        }
        if (waits[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = recv(socket, chunk, sizeof(chunk), 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
                return;
            if (n > 0)
                reader.Feed(std::span<const uint8_t>(chunk, static_cast<size_t>(n)));
            media::Request request;
            for (;;) {
                const auto status = reader.Next(request);
                if (status == media::RequestReader::Status::kNeedMore)
                    break;
                if (status == media::RequestReader::Status::kBroken)
                    return; // not our protocol: drop the client
                m_log.Write(LogRecordOf(request, peer));
                session.Handle(request, Clock::now(), out);
            }
        }
        if (!out.empty() && !SendSome(socket, out, sent))
            return;
        if (out.empty()) {
            const auto nowDue = session.NextFrameDue();
            if (nowDue && *nowDue <= Clock::now()) {
                session.AppendDueFrame(out);
                readLimit = out.size() + kReplyBacklog;
                if (!SendSome(socket, out, sent))
                    return;
            }
        }
    }
}
