// Cutting values out of the server's XML-like replies by plain text search.
#pragma once

#include <string>
#include <string_view>

// Finds the first occurrence of open and the first occurrence of close (both
// searched from the start of text, case-sensitively). Returns false when either
// is missing. Otherwise value is what lies between the end of open and the
// start of close, or empty when close comes first.
bool CutBetween(std::wstring_view text, std::wstring_view open, std::wstring_view close,
                std::wstring& value);

// The value between "<key>" and "</key>", or empty when either tag is missing.
std::wstring GetTagValue(std::wstring_view text, std::wstring_view key);
