#include "parameter_lookup.h"

std::wstring LookupValue(std::wstring_view text, std::wstring_view key) {
    const size_t at = text.find(key);
    if (at == std::wstring_view::npos)
        return std::wstring(kUnfound);
    const size_t start = at + key.size() + 1; // skip the '=' after the key
    const size_t amp = text.find(L'&', at);
    const size_t end = amp == std::wstring_view::npos ? text.size() : amp;
    // A key that ends the text or stands right before '&' has an empty value.
    if (start >= end)
        return std::wstring();
    return std::wstring(text.substr(start, end - start));
}

std::wstring LookupTag(std::wstring_view text, std::wstring_view name) {
    const std::wstring open = L"<" + std::wstring(name) + L">";
    const std::wstring close = L"</" + std::wstring(name) + L">";
    const size_t at = text.find(open);
    if (at == std::wstring_view::npos)
        return std::wstring(kUnfound);
    const size_t start = at + open.size();
    const size_t end = text.find(close, start);
    return std::wstring(
        text.substr(start, end == std::wstring_view::npos ? text.npos : end - start));
}
