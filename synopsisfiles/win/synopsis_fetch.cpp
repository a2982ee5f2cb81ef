#include "synopsis_fetch.h"

#include "http_client.h"
#include "module_path.h"
#include "synopsis_cache_name.h"
#include "whole_download.h"

#include <windows.h>

#include <new>
#include <string>

namespace {

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring DownloadWhole(const std::wstring& url, const std::wstring& path) {
    return DownloadWholeFile(url, path, ExistingFile::Keep) ? path : std::wstring();
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
    return DownloadWhole(url, path);
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