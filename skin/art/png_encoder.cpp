#include "png_encoder.h"

#include <algorithm>
#include <array>

namespace {

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void AppendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& png, std::string_view type, std::string_view data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    png += typed;
    AppendBigEndian(png, Crc32(typed));
}

} // namespace

uint32_t Crc32(std::string_view bytes) {
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        c = CrcTable()[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::string_view bytes) {
    constexpr uint32_t kModulus = 65521;
    uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::string StoredZlibStream(std::string_view bytes) {
    constexpr size_t kMaxBlock = 65535;
    std::string out = {'\x78', '\x01'}; // deflate, 32 KiB window, no dictionary
    size_t offset = 0;
    do {
        const size_t length = std::min(kMaxBlock, bytes.size() - offset);
        const bool last = offset + length == bytes.size();
        out += static_cast<char>(last ? 1 : 0); // BFINAL, BTYPE 00 (stored)
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(bytes.substr(offset, length));
        offset += length;
    } while (offset < bytes.size());
    AppendBigEndian(out, Adler32(bytes));
    return out;
}

std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
        return {};
    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header += std::string{'\x08', '\x06', '\x00', '\x00',
                          '\x00'}; // 8 bits, RGBA, deflate, no filter, no interlace

    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::string scanlines;
    scanlines.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        scanlines += '\0'; // filter type None
        scanlines.append(reinterpret_cast<const char*>(rgba.data()) + y * rowBytes, rowBytes);
    }

    std::string png = "\x89PNG\r\n\x1a\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlibStream(scanlines));
    AppendChunk(png, "IEND", {});
    return png;
}
