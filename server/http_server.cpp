#include "http_server.h"

#include "core/request_paths.h"
#include "core/search_tasks.h"

#include <httplib.h>

#include <fstream>
#include <sstream>

namespace {

std::string ContentTypeOf(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".html" || extension == ".htm")
        return "text/html";
    if (extension == ".txt" || extension == ".xml")
        return "text/plain";
    if (extension == ".jpg" || extension == ".jpeg")
        return "image/jpeg";
    if (extension == ".png")
        return "image/png";
    return "application/octet-stream";
}

LoggedRequest LogRecordOf(const httplib::Request& request) {
    LoggedRequest record;
    record.method = request.method;
    record.target = request.target;
    record.version = request.version;
    for (const auto& [name, value] : request.headers)
        record.headers.emplace_back(name, value);
    record.body = request.body;
    return record;
}

} // namespace

SampleHttpServer::SampleHttpServer(ServerState& state, RequestLog& log)
    : m_state(state), m_log(log), m_scripts(MakeScriptTable()) {}

SampleHttpServer::~SampleHttpServer() {
    Stop();
}

void SampleHttpServer::Configure(httplib::Server& server) {
    server.set_tcp_nodelay(true);
    // Address reuse after a restart, but never two servers sharing one
    // address and port (the library's default would let them).
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    // Requests are logged before they are answered, so a client that has its
    // reply always finds its request in the log.
    const auto handle = [this](const httplib::Request& request, httplib::Response& response) {
        m_log.Write(LogRecordOf(request));
        const std::string script = ScriptNameOf(request.path);
        if (!script.empty()) {
            const auto found = m_scripts.find(script);
            if (found == m_scripts.end()) {
                // Not found, with a reply that says so in the scripts' own
                // form: clients must keep an error status's body.
                response.status = 404;
                response.set_content("<ret>-1</ret>\r\n<error>no such script</error>\r\n",
                                     "text/xml");
                return;
            }
            ScriptRequest call;
            call.method = request.method;
            for (const auto& [key, value] : request.params)
                call.params.emplace(key, value);
            call.body = request.body;
            const ScriptReply reply = found->second(m_state, call);
            response.status = reply.status;
            response.set_content(reply.body, reply.contentType.c_str());
            return;
        }
        const auto file = FileForRequestPath(m_state.filesRoot, request.path);
        std::error_code ec;
        if (!file || !std::filesystem::is_regular_file(*file, ec)) {
            response.status = 404;
            return;
        }
        std::ifstream in(*file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) {
            response.status = 500;
            return;
        }
        response.set_content(bytes.str(), ContentTypeOf(*file).c_str());
    };
    server.Get(".*", handle);
    // POST bodies are read here rather than by the library, which refuses
    // urlencoded forms above 8 KiB (search by picture posts whole pictures).
    // Form fields join the query's, "+" read as a space, as PHP reads them.
    server.Post(".*", [handle](const httplib::Request& request, httplib::Response& response,
                               const httplib::ContentReader& content) {
        httplib::Request whole = request;
        content([&whole](const char* data, size_t length) {
            whole.body.append(data, length);
            return true;
        });
        if (whole.get_header_value("Content-Type") == "application/x-www-form-urlencoded")
            for (const auto& [key, value] : ParseFormBody(whole.body, true))
                whole.params.emplace(key, value);
        handle(whole, response);
    });
    const auto refuse = [this](const httplib::Request& request, httplib::Response& response) {
        m_log.Write(LogRecordOf(request));
        response.status = 405;
    };
    server.Put(".*", refuse);
    server.Patch(".*", refuse);
    server.Delete(".*", refuse);
    server.Options(".*", refuse);
}

bool SampleHttpServer::Listen(const std::string& host, int& port, std::string& error) {
    auto server = std::make_unique<httplib::Server>();
    Configure(*server);
    if (port == 0)
        port = server->bind_to_any_port(host.c_str());
    else if (!server->bind_to_port(host.c_str(), port))
        port = -1;
    if (port <= 0) {
        error = "cannot listen on " + host + ":" + std::to_string(port);
        return false;
    }
    httplib::Server* raw = server.get();
    m_servers.push_back(std::move(server));
    m_threads.emplace_back([raw] { raw->listen_after_bind(); });
    return true;
}

void SampleHttpServer::Stop() {
    for (auto& server : m_servers)
        server->stop();
    for (std::thread& thread : m_threads)
        if (thread.joinable())
            thread.join();
    m_threads.clear();
    m_servers.clear();
}
