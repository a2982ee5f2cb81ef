#include "base64.h"

#include <cstdint>

namespace {

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

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

std::optional<std::string> Base64Decode(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    uint32_t group = 0;
    int sextets = 0; // in the current group of four
    int padding = 0; // "=" seen so far
    for (char c : text) {
        if (IsSkipped(c))
            continue;
        if (c == '=') {
            ++padding;
            if (sextets + padding > 4 || sextets < 2)
                return std::nullopt;
            continue;
        }
        const int sextet = SextetOf(c);
        if (sextet < 0 || padding > 0)
            return std::nullopt;
        group = group << 6 | static_cast<uint32_t>(sextet);
        if (++sextets == 4) {
            out += static_cast<char>(group >> 16);
            out += static_cast<char>(group >> 8);
            out += static_cast<char>(group);
            group = 0;
            sextets = 0;
        }
    }
    // What is left is a group of two or three characters, padded or not.
    if (sextets == 1 || (padding > 0 && sextets + padding != 4))
        return std::nullopt;
    if (sextets == 2) {
        out += static_cast<char>(group >> 4);
    } else if (sextets == 3) {
        out += static_cast<char>(group >> 10);
        out += static_cast<char>(group >> 2);
    }
    return out;
}
