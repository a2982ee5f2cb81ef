#include "base64.h"

std::string Base64Encode(std::string_view bytes) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    const auto byte = [&bytes](size_t at) { return static_cast<unsigned char>(bytes[at]); };
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += kAlphabet[group >> 6 & 63];
        text += kAlphabet[group & 63];
    }
    const size_t left = bytes.size() - i;
    if (left > 0) {
        const unsigned group = byte(i) << 16 | (left == 2 ? byte(i + 1) << 8 : 0u);
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += left == 2 ? kAlphabet[group >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}
