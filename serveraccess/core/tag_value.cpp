#include "tag_value.h"

bool CutBetween(std::wstring_view text, std::wstring_view open, std::wstring_view close,
                std::wstring& value) {
    const size_t a = text.find(open);
    const size_t b = text.find(close);
    if (a == std::wstring_view::npos || b == std::wstring_view::npos)
        return false;
    const size_t start = a + open.size();
    if (b <= start)
        value.clear();
    else
        value.assign(text.substr(start, b - start));
    return true;
}

std::wstring GetTagValue(std::wstring_view text, std::wstring_view key) {
    const std::wstring open = L"<" + std::wstring(key) + L">";
    const std::wstring close = L"</" + std::wstring(key) + L">";
    std::wstring value;
    CutBetween(text, open, close, value);
    return value;
}
