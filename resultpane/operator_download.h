// Downloads for the operator: the panels hand an address to the system's
// file-download prompt ("DoFileDownload" of "shdocvw.dll", loaded by name
// when first needed and kept). Where that function is missing or shows no
// prompt (it refuses the address), the viewer's own prompt takes over: a save
// dialog, then a download with its progress shown.
#pragma once

#include <windows.h>

#include <string>

void OperatorDownload(HWND owner, const std::wstring& url);
