// Downloads a file the operator asked for from one of the panels.
#pragma once

#include <windows.h>

#include <string>

// Hands url to the shell's download (DoFileDownload of "shdocvw.dll", loaded
// by name); nothing happens when the shell has none. owner is the panel
// window the request came from.
void OperatorDownload(HWND owner, const std::wstring& url);
