// The sample video retrieval server.
//
//   sampleserver generate DIR
//       writes the sample data (catalogue, videos, tube and object files)
//   sampleserver --data DIR --listen ADDR:PORT [--listen ADDR:PORT ...]
//                [--log FILE] [--generate] [--media on|off]
//       serves DIR until SIGINT or SIGTERM; --generate writes the sample data
//       first when DIR has no catalogue yet. The media service (on by
//       default) listens on port 1980 of every address given.
#include "core/sample_data.h"
#include "http_server.h"
#include "media_protocol.h"
#include "media_server.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: sampleserver generate DIR\n"
                 "       sampleserver --data DIR --listen ADDR:PORT [--listen ADDR:PORT ...]"
                 " [--log FILE] [--generate] [--media on|off]\n");
    return 2;
}

bool Generate(const std::filesystem::path& dir) {
    std::string error;
    if (!WriteSampleData(MakeSampleData(), dir, error)) {
        std::fprintf(stderr, "sampleserver: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool SplitListen(const std::string& text, std::string& host, int& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    host = text.substr(0, colon);
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(digits);
    return port > 0 && port <= 65535;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "generate")
        return Generate(argv[2]) ? 0 : 1;

    std::filesystem::path dataDir;
    std::vector<std::string> listens;
    std::string logPath;
    bool generate = false;
    bool mediaOn = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc)
            dataDir = argv[++i];
        else if (arg == "--listen" && i + 1 < argc)
            listens.push_back(argv[++i]);
        else if (arg == "--log" && i + 1 < argc)
            logPath = argv[++i];
        else if (arg == "--generate")
            generate = true;
        else if (arg == "--media" && i + 1 < argc &&
                 (argv[i + 1] == std::string("on") || argv[i + 1] == std::string("off")))
            mediaOn = argv[++i] == std::string("on");
        else
            return Usage();
    }
    if (dataDir.empty() || listens.empty())
        return Usage();

    const std::filesystem::path catalogPath = dataDir / kCatalogFileName;
    if (generate && !std::filesystem::exists(catalogPath) && !Generate(dataDir))
        return 1;
    std::ifstream catalogFile(catalogPath, std::ios::binary);
    if (!catalogFile) {
        std::fprintf(stderr, "sampleserver: no catalogue at %s (run: sampleserver generate DIR)\n",
                     catalogPath.string().c_str());
        return 1;
    }
    std::ostringstream catalogText;
    catalogText << catalogFile.rdbuf();
    std::string error;
    auto catalog = ReadCatalog(catalogText.str(), error);
    if (!catalog) {
        std::fprintf(stderr, "sampleserver: %s: %s\n", catalogPath.string().c_str(), error.c_str());
        return 1;
    }

    ServerState state;
    state.catalog = std::move(*catalog);
    state.filesRoot = FilesRoot(dataDir);
    RequestLog log;
    if (!logPath.empty() && !log.Open(logPath)) {
        std::fprintf(stderr, "sampleserver: cannot open log %s\n", logPath.c_str());
        return 1;
    }

    // Block the stop signals before any thread starts so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SampleHttpServer server(state, log);
    SampleMediaServer mediaServer(state.filesRoot, log);
    std::set<std::string> mediaHosts;
    for (const std::string& listen : listens) {
        std::string host;
        int port = 0;
        if (!SplitListen(listen, host, port)) {
            std::fprintf(stderr, "sampleserver: bad --listen %s (want ADDR:PORT)\n",
                         listen.c_str());
            return 2;
        }
        if (!server.Listen(host, port, error)) {
            std::fprintf(stderr, "sampleserver: %s\n", error.c_str());
            return 1;
        }
        std::printf("sampleserver: listening on %s:%d\n", host.c_str(), port);
        if (!mediaOn || !mediaHosts.insert(host).second)
            continue;
        // The HTTP side stays useful without media, so a taken port only warns.
        int mediaPort = media::kMediaPort;
        if (mediaServer.Listen(host, mediaPort, error))
            std::printf("sampleserver: media service on %s:%d\n", host.c_str(), mediaPort);
        else
            std::fprintf(stderr, "sampleserver: warning: %s\n", error.c_str());
    }
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    mediaServer.Stop();
    server.Stop();
    return 0;
}
