// Reads the type library embedded in a module (or a .tlb file) into the plain
// model that the guide's tables are written from.
#pragma once

#include "typelib_model.h"

#include <windows.h>

#include <string>

// S_OK and the library, or the failure of loading or reading it.
HRESULT ReadTypeLibrary(const std::wstring& path, TypeLibrary& library);
