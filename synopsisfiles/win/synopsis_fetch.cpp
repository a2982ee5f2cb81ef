#include "synopsis_fetch.h"

#include "http_client.h"
#include "module_path.h"
#include "synopsis_cache_name.h"

#include <windows.h>

#include <new>

namespace {

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FetchInto(const std::wstring& folder, const std::wstring& serverAddress,
                       int32_t flowNumber, SynopsisFileKind kind) {
    std::wstring reply;
    HttpGetText(TubeInfoQueryUrl(serverAddress, flowNumber).c_str(), reply);
    std::wstring url;
    if (!ReadTubeInfoReply(reply, serverAddress, kind, url))
        return std::wstring();

    CreateDirectoryW(folder.c_str(), nullptr); // an existing folder is fine
    const std::wstring path =
        folder + L"\\" + SynopsisCacheFileName(serverAddress, flowNumber, kind);
    if (IsExistingFile(path))
        return path; // files are never refreshed
    if (HttpDownloadFile(url.c_str(), path.c_str()) != 1)
        return std::wstring();
    return path;
}

} // namespace

std::wstring SynopsisCacheFolder() {
    return ModuleFolder() + L"\\tbi";
}

std::wstring FetchSynopsisFile(const std::wstring& serverAddress, int32_t flowNumber,
                               SynopsisFileKind kind) {
    try {
        return FetchInto(SynopsisCacheFolder(), serverAddress, flowNumber, kind);
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
}

std::wstring FetchSynopsisFileInto(const std::wstring& folder, const std::wstring& serverAddress,
                                   int32_t flowNumber, SynopsisFileKind kind) {
    try {
        return FetchInto(folder, serverAddress, flowNumber, kind);
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
}