// A stand-in for the system's "shdocvw.dll" in tests: DoFileDownload writes
// the address it is handed to DoFileDownload.txt beside the DLL (one line a
// call, UTF-8) and answers that its prompt was shown.
#include <windows.h>

#include <string>

namespace {

HMODULE g_self = nullptr;

std::wstring RecordPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(g_self, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\DoFileDownload.txt";
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_self = instance;
    return TRUE;
}

extern "C" BOOL WINAPI DoFileDownload(LPCWSTR url) {
    if (url == nullptr)
        return FALSE;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, url, -1, nullptr, 0, nullptr, nullptr);
    std::string line(bytes > 0 ? bytes - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, url, -1, line.data(), bytes, nullptr, nullptr);
    line += "\n";
    HANDLE file = CreateFileW(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return TRUE;
}
