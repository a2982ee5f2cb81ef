// Planar YUV 4:2:0 pictures (I420) and their conversion to and from RGB,
// with the BT.601 studio-range coefficients video is normally coded with.
#pragma once

#include <cstddef>
#include <cstdint>

struct YuvColor {
    uint8_t y = 16, u = 128, v = 128;
};

// 0xRRGGBB to Y'CbCr.
YuvColor RgbToYuv(uint32_t rgb);
// Y'CbCr to 0xRRGGBB (components clamped).
uint32_t YuvToRgb(YuvColor yuv);

// Bytes of an I420 picture: luma width x height, then U and V planes of
// ceil(width/2) x ceil(height/2) each.
size_t I420Bytes(int width, int height);

// Converts an I420 picture to rows of blue, green, red (BGR24) or blue,
// green, red, 0xFF (BGRA32). The first row written is the picture's top row,
// at out; each next row starts outStride bytes further (negative for a
// bottom-up layout: pass the start of the last row).
void I420ToBgr24(const uint8_t* i420, int width, int height, uint8_t* out, ptrdiff_t outStride);
void I420ToBgra32(const uint8_t* i420, int width, int height, uint8_t* out, ptrdiff_t outStride);
