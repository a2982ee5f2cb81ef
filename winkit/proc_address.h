// Typed access to functions looked up by name in a loaded module.
#pragma once

#include <windows.h>

#include <cstring>

// The exported function name of module as a pointer of type Function, or null.
template <class Function> Function GetProc(HMODULE module, const char* name) {
    static_assert(sizeof(Function) == sizeof(FARPROC), "a function pointer type");
    const FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    Function function;
    std::memcpy(&function, &proc, sizeof(function));
    return function;
}
