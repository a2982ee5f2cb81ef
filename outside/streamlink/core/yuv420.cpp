#include "yuv420.h"

#include <algorithm>

namespace {

uint8_t Clamp8(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// Per-component contributions, computed once: the conversion then costs a few
// table reads and additions per pixel.
struct YuvTables {
    int luma[256];
    int redFromV[256];
    int greenFromU[256];
    int greenFromV[256];
    int blueFromU[256];
    YuvTables() {
        for (int i = 0; i < 256; ++i) {
            luma[i] = 298 * (i - 16) + 128;
            redFromV[i] = 409 * (i - 128);
            greenFromU[i] = -100 * (i - 128);
            greenFromV[i] = -208 * (i - 128);
            blueFromU[i] = 516 * (i - 128);
        }
    }
};

const YuvTables& Tables() {
    static const YuvTables tables;
    return tables;
}

template <int BytesPerPixel>
void ConvertI420(const uint8_t* i420, int width, int height, uint8_t* out, ptrdiff_t outStride) {
    if (width <= 0 || height <= 0)
        return;
    const YuvTables& t = Tables();
    const size_t chromaWidth = (static_cast<size_t>(width) + 1) / 2;
    const size_t chromaHeight = (static_cast<size_t>(height) + 1) / 2;
    const uint8_t* lumaPlane = i420;
    const uint8_t* uPlane = lumaPlane + static_cast<size_t>(width) * height;
    const uint8_t* vPlane = uPlane + chromaWidth * chromaHeight;
    for (int row = 0; row < height; ++row) {
        const uint8_t* luma = lumaPlane + static_cast<size_t>(row) * width;
        const uint8_t* u = uPlane + static_cast<size_t>(row / 2) * chromaWidth;
        const uint8_t* v = vPlane + static_cast<size_t>(row / 2) * chromaWidth;
        uint8_t* pixel = out + row * outStride;
        for (int x = 0; x < width; ++x) {
            const int y = t.luma[luma[x]];
            const int cu = u[x / 2], cv = v[x / 2];
            pixel[0] = Clamp8((y + t.blueFromU[cu]) >> 8);
            pixel[1] = Clamp8((y + t.greenFromU[cu] + t.greenFromV[cv]) >> 8);
            pixel[2] = Clamp8((y + t.redFromV[cv]) >> 8);
            if constexpr (BytesPerPixel == 4)
                pixel[3] = 0xFF;
            pixel += BytesPerPixel;
        }
    }
}

} // namespace

YuvColor RgbToYuv(uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    YuvColor yuv;
    yuv.y = Clamp8(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
    yuv.u = Clamp8(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
    yuv.v = Clamp8(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    return yuv;
}

uint32_t YuvToRgb(YuvColor yuv) {
    uint8_t bgr[3];
    const uint8_t i420[3] = {yuv.y, yuv.u, yuv.v};
    I420ToBgr24(i420, 1, 1, bgr, 3);
    return (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
}

size_t I420Bytes(int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    return w * h + 2 * ((w + 1) / 2) * ((h + 1) / 2);
}

void I420ToBgr24(const uint8_t* i420, int width, int height, uint8_t* out, ptrdiff_t outStride) {
    ConvertI420<3>(i420, width, height, out, outStride);
}

void I420ToBgra32(const uint8_t* i420, int width, int height, uint8_t* out, ptrdiff_t outStride) {
    ConvertI420<4>(i420, width, height, out, outStride);
}
