// Numbers in parameter strings, written and read the same way whatever the
// process locale is: the decimal separator is always '.'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appends value as "%d" would.
void AppendDecimal(std::wstring& out, int32_t value);

// Appends value as "%.<precision>f" would in the "C" locale (precision 0 to
// 20). A value that is not finite is written as zero, so the text always reads
// back as a number.
void AppendFixed(std::wstring& out, double value, int precision);

// Reads the decimal number at the start of text the way atof does in the "C"
// locale: leading blanks, an optional sign, digits with an optional fraction
// and exponent; anything else ends the number. No digits gives 0. Only decimal
// notation counts: "inf", "nan" and hexadecimal forms read as 0. A value too
// large for the type saturates at its largest finite value (with the sign);
// one too small becomes zero.
float ParseDecimalFloat(std::wstring_view text);
double ParseDecimalDouble(std::wstring_view text);

// Reads a base-16 number the way strtoul(text, 0, 16) does: leading blanks, an
// optional sign, an optional "0x" or "0X", hexadecimal digits. No digits gives
// 0; a value beyond 32 bits saturates at 0xFFFFFFFF; a minus sign negates the
// value modulo 2^32.
uint32_t ParseHexNumber(std::wstring_view text);
