#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 4; // per pixel side

Colour Premultiplied(Colour c) {
    return {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

uint8_t ToByte(float value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

Colour Hex(uint32_t rgb, float alpha) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xFF) / 255.0f, static_cast<float>(rgb & 0xFF) / 255.0f,
            alpha};
}

Canvas::Canvas(int width, int height, Colour background)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_premultiplied(static_cast<size_t>(m_width) * m_height, Premultiplied(background)) {}

template <class PaintAt>
void Canvas::FillWith(const Shape& shape, const Placement& placement, PaintAt paintAt) {
    for (int py = 0; py < m_height; ++py) {
        for (int px = 0; px < m_width; ++px) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSamples;
                    const double y = py + (sy + 0.5) / kSamples;
                    if (shape((x - placement.originX) / placement.scale,
                              (y - placement.originY) / placement.scale))
                        ++inside;
                }
            }
            if (inside == 0)
                continue;
            const float coverage = static_cast<float>(inside) / (kSamples * kSamples);
            const Colour source = Premultiplied(paintAt(py + 0.5));
            Colour& target = m_premultiplied[static_cast<size_t>(py) * m_width + px];
            const float keep = 1.0f - source.a * coverage;
            target = {source.r * coverage + target.r * keep, source.g * coverage + target.g * keep,
                      source.b * coverage + target.b * keep, source.a * coverage + target.a * keep};
        }
    }
}

void Canvas::Fill(const Shape& shape, Colour colour, const Placement& placement) {
    FillWith(shape, placement, [colour](double) { return colour; });
}

void Canvas::FillGradient(const Shape& shape, Colour top, Colour bottom, double y0, double y1,
                          const Placement& placement) {
    FillWith(shape, placement, [=](double y) {
        const double t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : 0.0;
        return Mix(top, bottom, static_cast<float>(t));
    });
}

Colour Canvas::At(int x, int y) const {
    const Colour& p = m_premultiplied[static_cast<size_t>(y) * m_width + x];
    if (p.a <= 0)
        return {};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

std::vector<uint8_t> Canvas::Rgba() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(m_premultiplied.size() * 4);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const Colour c = At(x, y);
            bytes.insert(bytes.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(c.a)});
        }
    }
    return bytes;
}
