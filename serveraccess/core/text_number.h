// Number reading shared by URL splitting, parameter parsing and URL
// unescaping.
#pragma once

#include <cstdint>
#include <string_view>

// Reads a decimal integer the way the C runtime's atoi does: leading blanks,
// an optional sign, then digits; anything else ends the number; no digits
// gives 0. Values beyond the int32 range saturate instead of wrapping.
int32_t ParseDecimalInt(std::wstring_view text);
int32_t ParseDecimalInt(std::string_view text);

// The value of a hexadecimal digit (either case), or -1 for anything else.
int HexDigitValue(wchar_t c);
