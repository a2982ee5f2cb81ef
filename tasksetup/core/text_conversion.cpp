#include "text_conversion.h"

std::wstring WidenBytes(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

std::string NarrowToBytes(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text)
        bytes.push_back(static_cast<unsigned>(c) <= 0xFFu ? static_cast<char>(c) : '?');
    return bytes;
}
