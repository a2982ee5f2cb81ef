#include "debug_output.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>
#include <mutex>

namespace {

std::mutex g_sinkLock;
std::function<void(const std::wstring&)> g_sink;

} // namespace

void DebugLine(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = _vscwprintf(format, copy);
    va_end(copy);
    std::wstring line(length > 0 ? static_cast<size_t>(length) : 0, L'\0');
    if (length > 0)
        _vsnwprintf(line.data(), line.size(), format, args);
    va_end(args);

    OutputDebugStringW((line + L"\n").c_str());
    std::lock_guard<std::mutex> hold(g_sinkLock);
    if (g_sink)
        g_sink(line);
}

void SetDebugLineSink(std::function<void(const std::wstring&)> sink) {
    std::lock_guard<std::mutex> hold(g_sinkLock);
    g_sink = std::move(sink);
}
