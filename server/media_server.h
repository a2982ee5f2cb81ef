// The sample server's media service: the streaming client's protocol on TCP
// port 1980 of each address the server listens on. One thread per client;
// every request is written to the request log (version "MEDIA/1").
#pragma once

#include "core/media_session.h"
#include "core/request_log.h"

#include <atomic>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SampleMediaServer {
public:
    SampleMediaServer(const std::filesystem::path& filesRoot, RequestLog& log);
    ~SampleMediaServer();
    SampleMediaServer(const SampleMediaServer&) = delete;
    SampleMediaServer& operator=(const SampleMediaServer&) = delete;

    // Binds host:port (port 0: any free port, written back) and serves it.
    bool Listen(const std::string& host, int& port, std::string& error);
    // Tells every client with an open media that the server closes it, ends
    // every connection and waits for all threads.
    void Stop();

    // At most this many clients at once; more are disconnected at once.
    static constexpr size_t kMaxClients = 64;

private:
    struct Client {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    void AcceptLoop(int listener);
    void Serve(int socket, const std::string& peer);
    void ReapFinishedClients();

    MediaOpener m_opener;
    RequestLog& m_log;
    int m_stopPipe[2] = {-1, -1}; // readable once Stop begins
    std::vector<int> m_listeners;
    std::vector<std::thread> m_acceptThreads;
    std::mutex m_clientsLock;
    std::list<std::unique_ptr<Client>> m_clients;
    bool m_stopped = false;
};
