#include "png_encoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t BigEndianAt(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    return value;
}

// Undoes StoredZlibStream, checking every field on the way; the data, or
// a description of the first fault.
std::string InflateStored(const std::string& stream, bool& ok) {
    ok = false;
    if (stream.size() < 6 || stream[0] != '\x78' ||
        ((static_cast<unsigned char>(stream[0]) << 8) | static_cast<unsigned char>(stream[1])) %
                31 !=
            0)
        return "bad zlib header";
    std::string data;
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > stream.size())
            return "truncated block header";
        const unsigned char flags = static_cast<unsigned char>(stream[at]);
        last = flags & 1;
        if ((flags >> 1) != 0)
            return "not a stored block";
        const unsigned length = static_cast<unsigned char>(stream[at + 1]) |
                                static_cast<unsigned char>(stream[at + 2]) << 8;
        const unsigned complement = static_cast<unsigned char>(stream[at + 3]) |
                                    static_cast<unsigned char>(stream[at + 4]) << 8;
        if ((length ^ 0xFFFF) != complement)
            return "length and its complement disagree";
        at += 5;
        if (at + length > stream.size())
            return "truncated block";
        data += stream.substr(at, length);
        at += length;
    }
    if (at + 4 != stream.size())
        return "trailer size";
    if (BigEndianAt(stream, at) != Adler32(data))
        return "checksum";
    ok = true;
    return data;
}

TEST(Checksums, KnownValues) {
    EXPECT_EQ(0xCBF43926u, Crc32("123456789"));
    EXPECT_EQ(0xAE426082u, Crc32("IEND")) << "the CRC every PNG ends with";
    EXPECT_EQ(0x11E60398u, Adler32("Wikipedia"));
    EXPECT_EQ(1u, Adler32(""));
    // Sums beyond the modulus wrap: 6000 bytes of 0xFF.
    EXPECT_EQ(0xA49759EAu, Adler32(std::string(6000, '\xFF')));
}

TEST(StoredZlib, SplitsIntoBlocksOfAtMost65535Bytes) {
    std::string data(70000, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    const std::string stream = StoredZlibStream(data);
    bool ok = false;
    EXPECT_EQ(data, InflateStored(stream, ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(2 + 5 + 65535 + 5 + 4465 + 4, stream.size());
    EXPECT_EQ('\0', stream[2]) << "first block is not the last";

    const std::string empty = StoredZlibStream("");
    EXPECT_EQ("", InflateStored(empty, ok));
    EXPECT_TRUE(ok) << "an empty input still makes one final block";
}

TEST(EncodePng, ChunksHeaderAndScanlines) {
    const std::vector<uint8_t> rgba = {255, 0, 0,   255, 0,  255, 0,  128, //
                                       0,   0, 255, 0,   10, 20,  30, 40};
    const std::string png = EncodePng(2, 2, rgba);
    ASSERT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), png.substr(0, 8));

    std::vector<std::string> types;
    std::string idat;
    for (size_t at = 8; at < png.size();) {
        const uint32_t length = BigEndianAt(png, at);
        const std::string typed = png.substr(at + 4, 4 + length);
        EXPECT_EQ(Crc32(typed), BigEndianAt(png, at + 8 + length)) << typed.substr(0, 4);
        types.push_back(typed.substr(0, 4));
        if (types.back() == "IHDR") {
            ASSERT_EQ(13u, length);
            EXPECT_EQ(2u, BigEndianAt(png, at + 8));
            EXPECT_EQ(2u, BigEndianAt(png, at + 12));
            EXPECT_EQ(std::string("\x08\x06\x00\x00\x00", 5), png.substr(at + 16, 5));
        }
        if (types.back() == "IDAT")
            idat += typed.substr(4);
        at += 12 + length;
    }
    EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), types);
    bool ok = false;
    const std::string rows = InflateStored(idat, ok);
    ASSERT_TRUE(ok) << rows;
    const std::string expected = std::string(1, '\0') +
                                 std::string(rgba.begin(), rgba.begin() + 8) +
                                 std::string(1, '\0') + std::string(rgba.begin() + 8, rgba.end());
    EXPECT_EQ(expected, rows);
}

TEST(EncodePng, RefusesSizesThatDoNotMatchThePixels) {
    EXPECT_EQ("", EncodePng(0, 1, {}));
    EXPECT_EQ("", EncodePng(2, 2, std::vector<uint8_t>(15)));
    EXPECT_EQ("", EncodePng(-1, -1, std::vector<uint8_t>(4)));
}

} // namespace
