#include "operator_download.h"

#include "proc_address.h"

void OperatorDownload(HWND, const std::wstring& url) {
    // The shell library stays loaded once we have it: it is asked for again
    // at every download and never let go.
    HMODULE shell = GetModuleHandleW(L"shdocvw.dll");
    if (shell == nullptr)
        shell = LoadLibraryW(L"shdocvw.dll");
    using DoFileDownloadFunction = BOOL(WINAPI*)(LPCWSTR);
    auto download = GetProc<DoFileDownloadFunction>(shell, "DoFileDownload");
    if (download)
        download(url.c_str());
}
