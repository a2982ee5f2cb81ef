// Finding one value in a parameter string (key=value form) or in the server's
// XML-like task detail, by plain text search.
#pragma once

#include <string>
#include <string_view>

// What the lookups return for a key or tag that is not there. A value that is
// literally this text therefore also counts as missing.
inline constexpr std::wstring_view kUnfound = L"unfound";

// The value of key: the text from one character after the first occurrence of
// key (anywhere in text, so "type" also matches inside "snap_type") up to the
// next '&' after that occurrence, or the end of text; kUnfound when key does
// not occur.
std::wstring LookupValue(std::wstring_view text, std::wstring_view key);

// The text between the first "<name>" and the next "</name>" after it, or the
// end of text when that close tag is missing; kUnfound when "<name>" does not
// occur.
std::wstring LookupTag(std::wstring_view text, std::wstring_view name);

inline bool IsFound(std::wstring_view value) {
    return value != kUnfound;
}
