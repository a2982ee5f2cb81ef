#include <winsock2.h>
#include <ws2tcpip.h>

#include "canned_http_server.h"

CannedHttpServer::CannedHttpServer(const char* address, unsigned short port) {
    WSADATA wsa;
    m_started = WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    if (!m_started)
        return;
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in where = {};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    inet_pton(AF_INET, address, &where.sin_addr);
    if (listener == INVALID_SOCKET ||
        bind(listener, reinterpret_cast<sockaddr*>(&where), sizeof(where)) != 0 ||
        listen(listener, 8) != 0) {
        if (listener != INVALID_SOCKET)
            closesocket(listener);
        return;
    }
    m_listener = listener;
    m_listening = true;
    m_thread = std::thread([this] { Serve(); });
}

CannedHttpServer::~CannedHttpServer() {
    if (m_listening) {
        // Closing the socket ends the accept loop.
        closesocket(static_cast<SOCKET>(m_listener));
        m_listening = false;
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_started)
        WSACleanup();
}

void CannedHttpServer::SetReply(const std::string& path, const std::string& body) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_replies[path] = body;
}

std::vector<std::string> CannedHttpServer::Targets() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_targets;
}

void CannedHttpServer::Serve() {
    for (;;) {
        const SOCKET client = accept(static_cast<SOCKET>(m_listener), nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        Answer(client);
        closesocket(client);
    }
}

void CannedHttpServer::Answer(uintptr_t accepted) {
    const SOCKET client = static_cast<SOCKET>(accepted);
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<size_t>(got));
    }
    const size_t start = request.find(' ') + 1;
    const std::string target = request.substr(start, request.find(' ', start) - start);
    std::string reply = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_targets.push_back(target);
        auto found = m_replies.find(target.substr(0, target.find('?')));
        if (found == m_replies.end())
            found = m_replies.find("*");
        if (found != m_replies.end())
            reply = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(found->second.size()) +
                    "\r\n\r\n" + found->second;
    }
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
}
