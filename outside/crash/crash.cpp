// crash.dll: crash reporting for whatever process loads it. Being loaded
// installs an unhandled-exception filter that writes a minidump of the
// crashing process beside this DLL ("crash_<pid>_<yyyymmdd-hhmmss>.dmp").
#include <windows.h>

#include <dbghelp.h>

#include <cwchar>

namespace {

HMODULE g_self = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previous = nullptr;
volatile LONG g_writing = 0;

using MiniDumpWriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                          PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION,
                                          PMINIDUMP_CALLBACK_INFORMATION);

// The dump's path: this DLL's folder, process id and local time.
bool DumpPath(wchar_t* path, DWORD size) {
    DWORD length = GetModuleFileNameW(g_self, path, size);
    if (length == 0 || length >= size)
        return false;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash == nullptr)
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const size_t room = size - static_cast<size_t>(slash + 1 - path);
    return swprintf(slash + 1, room, L"crash_%lu_%04u%02u%02u-%02u%02u%02u.dmp",
                    static_cast<unsigned long>(GetCurrentProcessId()), now.wYear, now.wMonth,
                    now.wDay, now.wHour, now.wMinute, now.wSecond) > 0;
}

LONG WINAPI WriteDump(EXCEPTION_POINTERS* exception) {
    // One dump per process, even when threads crash together.
    if (InterlockedExchange(&g_writing, 1) == 0) {
        wchar_t path[MAX_PATH * 2];
        HMODULE dbghelp = LoadLibraryW(L"dbghelp.dll");
        MiniDumpWriteDumpFn write = nullptr;
        if (dbghelp) {
            FARPROC proc = GetProcAddress(dbghelp, "MiniDumpWriteDump");
            memcpy(&write, &proc, sizeof(write));
        }
        if (write && DumpPath(path, MAX_PATH * 2)) {
            HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                MINIDUMP_EXCEPTION_INFORMATION info = {};
                info.ThreadId = GetCurrentThreadId();
                info.ExceptionPointers = exception;
                info.ClientPointers = FALSE;
                write(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                      exception ? &info : nullptr, nullptr, nullptr);
                CloseHandle(file);
            }
        }
    }
    return g_previous ? g_previous(exception) : EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        DisableThreadLibraryCalls(instance);
        g_previous = SetUnhandledExceptionFilter(WriteDump);
    } else if (reason == DLL_PROCESS_DETACH) {
        // Put the previous filter back only if ours is still the one installed.
        LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(g_previous);
        if (current != WriteDump)
            SetUnhandledExceptionFilter(current);
    }
    return TRUE;
}
