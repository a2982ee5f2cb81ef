#include "premultiply.h"

uint32_t PremultiplyPixel(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    const auto scale = [alpha](uint32_t channel) { return channel * alpha / 255; };
    const uint32_t red = scale((argb >> 16) & 0xFF);
    const uint32_t green = scale((argb >> 8) & 0xFF);
    const uint32_t blue = scale(argb & 0xFF);
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

void PremultiplyPixels(uint32_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i)
        pixels[i] = PremultiplyPixel(pixels[i]);
}
