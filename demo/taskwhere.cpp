// taskwhere SERVER FLOWNUMBER
// Prints where the server keeps a task's synopsis video, source video and
// tube file. Exit code 0 when all three were found, 1 when any was not,
// 2 for bad arguments.
#include "console_output.h"
#include "http_client.h"
#include "server_queries.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool ReportPath(const wchar_t* what, int found, const std::wstring& path, const std::wstring& url) {
    if (!found) {
        PrintLine(std::wstring(what) + L": not found");
        return false;
    }
    PrintLine(std::wstring(what) + L": " + path + L"\n    " + url);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        PrintLine(L"usage: taskwhere SERVER[:PORT] FLOWNUMBER");
        return 2;
    }
    const std::wstring server = argv[1];
    const int flow = _wtoi(argv[2]);
    PrintLine(L"task " + std::to_wstring(flow) + L" on " + server);

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
        PrintLine(L"tube file: " + tubeUrl + L"\n    object file: " + objectUrl);
    } else {
        PrintLine(L"tube file: not found");
        all = false;
    }
    return all ? 0 : 1;
}
