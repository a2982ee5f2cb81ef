#include "whole_download.h"

#include "http_client.h"

#include <windows.h>

namespace {

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool DownloadWholeFile(const std::wstring& url, const std::wstring& path, ExistingFile existing) {
    const std::wstring partial = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetCurrentThreadId()) + L".part";
    DeleteFileW(partial.c_str()); // left over from a download that was cut off
    if (HttpDownloadFile(url.c_str(), partial.c_str()) != 1)
        return false;
    const DWORD flags = existing == ExistingFile::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (MoveFileExW(partial.c_str(), path.c_str(), flags))
        return true;
    DeleteFileW(partial.c_str());
    return existing == ExistingFile::Keep && IsExistingFile(path);
}
