#include "text_number.h"

#include <limits>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

template <typename Char> int32_t ParseDecimal(std::basic_string_view<Char> text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<wchar_t>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT32_MIN is reachable.
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < kMin)
            value = kMin - 1; // saturated; keep it from growing further
    }
    if (negative)
        return value < kMin ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(value);
    if (-value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(-value);
}

} // namespace

int32_t ParseDecimalInt(std::wstring_view text) {
    return ParseDecimal(text);
}
int32_t ParseDecimalInt(std::string_view text) {
    return ParseDecimal(text);
}

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}
