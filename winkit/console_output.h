// Text for a console program's standard output: UTF-8 lines, flushed at
// once so nothing is lost when the process ends abruptly.
#pragma once

#include <string>

void PrintLine(const std::wstring& line);
std::wstring Utf8ToWide(const std::string& text);
