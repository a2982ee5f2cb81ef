// Running pagehost.exe from a test: a page script in, the host's exit code
// and printed lines out.
#pragma once

#include <windows.h>

#include <string>

// The result viewer's class identifier, as a page names it.
extern const wchar_t kClsid[];

struct HostRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs pagehost.exe (beside the test program) in folder with script (UTF-8,
// written to a file there) and collects what it printed.
HostRun RunHost(const std::wstring& folder, const std::string& script);

// ASCII text (paths and addresses) as narrow text.
std::string Narrow(const std::wstring& text);

// A script's start: a watchdog, a 714 x 586 page, the viewer registered and
// embedded as "pane" filling it.
std::string Preamble();
