// Writes 8-bit RGBA pictures as PNG files. The picture data goes into
// uncompressed ("stored") deflate blocks: the skin pictures are small, and
// this needs no compression library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// CRC-32 as PNG chunks use it (ISO 3309, reflected, initial and final xor 0xFFFFFFFF).
uint32_t Crc32(std::string_view bytes);
// Adler-32 as zlib streams end with it.
uint32_t Adler32(std::string_view bytes);

// A zlib stream holding bytes in stored deflate blocks.
std::string StoredZlibStream(std::string_view bytes);

// A PNG file (colour type 6, 8 bits per channel, no interlace) of
// width x height pixels given row by row as R, G, B, A bytes. Empty when
// the size is zero or does not match the pixel data.
std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgba);
