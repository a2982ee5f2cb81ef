// How the picture data of a parameter string crosses between the narrow text
// it is stored as and the UTF-16 string the controls handle. The Windows layer
// converts through the thread's ANSI code page; the portable side (tests,
// tools) can use the byte-per-unit conversions below.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using AnsiToWide = std::function<std::wstring(std::string_view)>;
using WideToAnsi = std::function<std::string(std::wstring_view)>;

// Each byte becomes the code unit of the same value (ISO 8859-1).
std::wstring WidenBytes(std::string_view bytes);

// Each code unit up to 0xFF becomes that byte; any other becomes '?'.
std::string NarrowToBytes(std::wstring_view text);
