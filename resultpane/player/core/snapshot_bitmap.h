// Captured frames as bitmap files: the last decoded picture, 32-bit as the
// stream delivers it or planar YUV 4:2:0 converted to 24-bit, behind the
// 14-byte file header and the 40-byte information header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr size_t kBitmapHeadersSize = 54;

// The two headers of a bitmap file with pixelBytes of bottom-up pixels.
std::vector<uint8_t> BitmapHeaders(int32_t width, int32_t height, uint16_t bitsPerPixel,
                                   uint32_t pixelBytes);

// Bytes of one 24-bit row: three a pixel, padded to a multiple of four as
// every bitmap row is.
size_t Bgr24Stride(int width);

// A planar YUV 4:2:0 picture as 24-bit rows, bottom row first; empty when
// the picture holds fewer bytes than its size needs.
std::vector<uint8_t> I420ToBitmapRows(std::span<const uint8_t> i420, int width, int height);

// The whole file for a picture of width x height: exactly width x height x 4
// bytes are 32-bit pixels written as they are; anything else must be YUV
// 4:2:0 of that size. Empty when the picture is neither.
std::vector<uint8_t> SnapshotBitmapFile(std::span<const uint8_t> picture, int width, int height);
