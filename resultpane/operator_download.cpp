#include "operator_download.h"

#include "download_prompt.h"
#include "proc_address.h"

namespace {

using FileDownloadFunction = BOOL(WINAPI*)(LPCWSTR url);

// Loaded once for the process and never unloaded: a prompt it starts may
// still be running in it.
FileDownloadFunction SystemFileDownload() {
    static const HMODULE module = LoadLibraryW(L"shdocvw.dll");
    return GetProc<FileDownloadFunction>(module, "DoFileDownload");
}

} // namespace

void OperatorDownload(HWND owner, const std::wstring& url) {
    if (url.empty())
        return;
    const FileDownloadFunction download = SystemFileDownload();
    if (download != nullptr && download(url.c_str()))
        return;
    StartDownloadPrompt(owner, url);
}
