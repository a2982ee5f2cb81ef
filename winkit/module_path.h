// Where the running module (the DLL or program holding our code) lies.
#pragma once

#include <windows.h>

#include <string>

// The module that contains address; by default, the one this code is linked
// into (each DLL gets its own copy of winkit, so this is the DLL itself).
HMODULE ModuleOfAddress(const void* address);
HMODULE ThisModule();

// The module's full file path, and its folder without a trailing "\".
std::wstring ModuleFilePath(HMODULE module);
std::wstring ModuleFolder(HMODULE module = ThisModule());
// The module's file name without its folder and extension ("RegionPick" for
// ...\RegionPick.dll): the caption of message boxes that name none.
std::wstring ModuleTitle(HMODULE module = ThisModule());
