// pagehost SCRIPT
// Hosts controls in a page window and runs a page script against them (see
// page_script.h for the commands). Prints every call, event and capture.
// Exit codes: 0 all went as the script said, 1 an expectation failed,
// 2 bad script or arguments, 3 the watchdog ended a run that took too long,
// 4 a control or the container could not be set up.
#include "console_output.h"
#include "page_host.h"
#include "page_script.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

DWORD g_watchdogSeconds = 60;

DWORD WINAPI Watchdog(void*) {
    Sleep(g_watchdogSeconds * 1000);
    PrintLine(L"watchdog: the script did not finish within " + std::to_wstring(g_watchdogSeconds) +
              L" s");
    ExitProcess(3);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        PrintLine(L"usage: pagehost SCRIPT");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        PrintLine(std::wstring(L"cannot read ") + argv[1]);
        return 2;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    ScriptError error;
    const auto commands = ParsePageScript(Utf8ToWide(bytes.str()), error);
    if (!commands) {
        PrintLine(L"script error, line " + std::to_wstring(error.line) + L": " + error.message);
        return 2;
    }
    for (const ScriptCommand& command : *commands)
        if (command.verb == L"timeout" && command.values[0].kind == ScriptValue::Kind::Integer &&
            command.values[0].integer > 0)
            g_watchdogSeconds = static_cast<DWORD>(command.values[0].integer);
    HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    if (watchdog)
        CloseHandle(watchdog);

    if (FAILED(OleInitialize(nullptr))) {
        PrintLine(L"OleInitialize failed");
        return 4;
    }
    int code = 0;
    {
        PageHost host;
        code = host.Run(*commands);
    }
    OleUninitialize();
    PrintLine(L"exit " + std::to_wstring(code));
    return code;
}
