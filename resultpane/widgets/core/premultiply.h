// Skin pictures are drawn with per-pixel alpha blending, which expects the
// colour channels already scaled by their alpha.
#pragma once

#include <cstddef>
#include <cstdint>

// One 0xAARRGGBB pixel: blue, green and red become trunc(channel * alpha / 255).
uint32_t PremultiplyPixel(uint32_t argb);

// Every pixel of a picture, in place.
void PremultiplyPixels(uint32_t* pixels, size_t count);
