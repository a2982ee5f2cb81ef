#include "color_text.h"

#include "number_text.h"
#include "text_number.h"

void AppendColorText(std::wstring& out, uint32_t color) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    out += L"0x";
    // Red, green, blue: the COLORREF's bytes from the low end.
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t byte = (color >> shift) & 0xFFu;
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0xFu]);
    }
}

uint32_t ColorFromHexText(std::wstring_view text) {
    return SwapRedBlue(ParseHexNumber(text));
}

uint32_t ColorFromDecimalText(std::wstring_view text) {
    return SwapRedBlue(static_cast<uint32_t>(ParseDecimalInt(text)));
}
