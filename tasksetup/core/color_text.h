// Colours as they travel in parameter strings ("0xRRGGBB", red first) and as
// COLORREF values inside the controls (red in the low byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Swaps the lowest and the third byte: 0xRRGGBB text order <-> COLORREF.
constexpr uint32_t SwapRedBlue(uint32_t value) {
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

// Appends "0x" and six upper-case hexadecimal digits: red, green, blue bytes of
// the COLORREF (its high byte is not written).
void AppendColorText(std::wstring& out, uint32_t color);

// A base-16 colour value of the key=value form ("0x" optional) as a COLORREF.
uint32_t ColorFromHexText(std::wstring_view text);

// A base-10 colour value of the server's XML form (the number 0xRRGGBB written
// in decimal) as a COLORREF.
uint32_t ColorFromDecimalText(std::wstring_view text);
