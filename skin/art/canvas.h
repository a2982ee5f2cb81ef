// A picture being drawn: RGBA pixels to which shapes are added with
// anti-aliased edges (each pixel is sampled 4 x 4 times), composited
// "source over" like a painter's layers.
#pragma once

#include "shapes.h"

#include <cstdint>
#include <vector>

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

// 0xRRGGBB with the given opacity.
Colour Hex(uint32_t rgb, float alpha = 1.0f);

// How shape units map onto pixels: pixel = origin + unit * scale.
struct Placement {
    double originX = 0;
    double originY = 0;
    double scale = 1;
};

class Canvas {
public:
    Canvas(int width, int height, Colour background = {});

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(const Shape& shape, Colour colour, const Placement& placement = {});
    // Fills with a vertical gradient from top (at pixel row y0) to bottom (at y1).
    void FillGradient(const Shape& shape, Colour top, Colour bottom, double y0, double y1,
                      const Placement& placement = {});

    // The pixel with straight (not premultiplied) colour.
    Colour At(int x, int y) const;
    // Row by row, R, G, B, A bytes with straight alpha.
    std::vector<uint8_t> Rgba() const;

private:
    template <class PaintAt>
    void FillWith(const Shape& shape, const Placement& placement, PaintAt paintAt);

    int m_width;
    int m_height;
    std::vector<Colour> m_premultiplied;
};
