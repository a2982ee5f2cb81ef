// The sample server's HTTP side: scripts and files over cpp-httplib, one
// listening socket per address, every request written to the request log.
#pragma once

#include "core/request_log.h"
#include "core/scripts.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

class SampleHttpServer {
public:
    SampleHttpServer(ServerState& state, RequestLog& log);
    ~SampleHttpServer();
    SampleHttpServer(const SampleHttpServer&) = delete;
    SampleHttpServer& operator=(const SampleHttpServer&) = delete;

    // Binds host:port and serves it on a thread of its own. Port 0 takes any
    // free port and puts it into port.
    bool Listen(const std::string& host, int& port, std::string& error);
    void Stop();

private:
    void Configure(httplib::Server& server);

    ServerState& m_state;
    RequestLog& m_log;
    std::map<std::string, Script> m_scripts;
    std::vector<std::unique_ptr<httplib::Server>> m_servers;
    std::vector<std::thread> m_threads;
};
