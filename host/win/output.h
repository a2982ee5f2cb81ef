// The host's printed record: UTF-8 lines on standard output, flushed at once
// so a watchdog exit loses nothing.
#pragma once

#include <string>

void PrintLine(const std::wstring& line);
std::wstring Utf8ToWide(const std::string& text);
