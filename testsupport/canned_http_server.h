// A tiny HTTP server inside a test program, for replies the sample server
// would never give (hostile or broken ones): every request is answered with
// the body given for its path (status 200), or 404, and recorded.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CannedHttpServer {
public:
    // Listens on address:port (a loopback address of the test's own).
    CannedHttpServer(const char* address, unsigned short port);
    ~CannedHttpServer();
    CannedHttpServer(const CannedHttpServer&) = delete;
    CannedHttpServer& operator=(const CannedHttpServer&) = delete;

    bool IsListening() const { return m_listening; }
    // The body for a request path (the target without its query); "*" is
    // the body for every path that has none of its own.
    void SetReply(const std::string& path, const std::string& body);
    // The targets requested so far, in order.
    std::vector<std::string> Targets() const;

private:
    void Serve();
    void Answer(uintptr_t client);

    bool m_started = false;
    bool m_listening = false;
    uintptr_t m_listener = 0; // a SOCKET
    mutable std::mutex m_lock;
    std::map<std::string, std::string> m_replies;
    std::vector<std::string> m_targets;
    std::thread m_thread;
};
