// taskwhere SERVER FLOWNUMBER
// Prints where the server keeps a task's synopsis video, source video and
// tube file. Exit code 0 when all three were found, 1 when any was not,
// 2 for bad arguments.
#include "http_client.h"
#include "server_queries.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

bool ReportPath(const wchar_t* what, int found, const std::wstring& path, const std::wstring& url) {
    if (!found) {
        Print(std::wstring(what) + L": not found\n");
        return false;
    }
    Print(std::wstring(what) + L": " + path + L"\n    " + url + L"\n");
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        Print(L"usage: taskwhere SERVER[:PORT] FLOWNUMBER\n");
        return 2;
    }
    const std::wstring server = argv[1];
    const int flow = _wtoi(argv[2]);
    Print(L"task " + std::to_wstring(flow) + L" on " + server + L"\n");

    bool all = true;
    std::wstring path, url;
    all &= ReportPath(L"synopsis video", QuerySynopsisPath(server, flow, path, url), path, url);
    path.clear();
    url.clear();
    all &= ReportPath(L"source video", QuerySourcePath(server, flow, path, url), path, url);

    std::wstring reply, tubeUrl, objectUrl;
    HttpGetText(TubeInfoQueryUrl(server, flow).c_str(), reply);
    if (ReadTubeInfoReply(reply, server, SynopsisFileKind::Tube, tubeUrl) &&
        ReadTubeInfoReply(reply, server, SynopsisFileKind::Object, objectUrl)) {
        Print(L"tube file: " + tubeUrl + L"\n    object file: " + objectUrl + L"\n");
    } else {
        Print(L"tube file: not found\n");
        all = false;
    }
    return all ? 0 : 1;
}
