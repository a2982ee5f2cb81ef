#include "frame_renderer.h"

#include "scene_frame.h"
#include "yuv420.h"

#include <algorithm>
#include <cstring>

namespace {

struct Rect {
    int left, top, right, bottom; // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};

Rect Inset(const Box& box, int by) {
    return Rect{box.x + by, box.y + by, box.x + box.w - by, box.y + box.h - by};
}

void FillPlane(uint8_t* plane, int stride, const Rect& r, uint8_t value) {
    if (r.Empty())
        return;
    for (int y = r.top; y < r.bottom; ++y)
        std::memset(plane + static_cast<size_t>(y) * stride + r.left, value,
                    static_cast<size_t>(r.right - r.left));
}

class I420Canvas {
public:
    I420Canvas(int width, int height, std::vector<uint8_t>& bytes)
        : m_width(width), m_height(height), m_chromaWidth((width + 1) / 2),
          m_chromaHeight((height + 1) / 2) {
        bytes.assign(I420Bytes(width, height), 0);
        m_y = bytes.data();
        m_u = m_y + static_cast<size_t>(width) * height;
        m_v = m_u + static_cast<size_t>(m_chromaWidth) * m_chromaHeight;
    }
    void Fill(const Rect& r, uint32_t rgb) {
        const YuvColor c = RgbToYuv(rgb);
        FillPlane(m_y, m_width, r, c.y);
        // Chroma samples cover 2 x 2 pixels: take every sample the rectangle touches.
        const Rect chroma{r.left / 2, r.top / 2, std::min((r.right + 1) / 2, m_chromaWidth),
                          std::min((r.bottom + 1) / 2, m_chromaHeight)};
        FillPlane(m_u, m_chromaWidth, chroma, c.u);
        FillPlane(m_v, m_chromaWidth, chroma, c.v);
    }
    Rect Whole() const { return Rect{0, 0, m_width, m_height}; }

private:
    int m_width, m_height, m_chromaWidth, m_chromaHeight;
    uint8_t *m_y, *m_u, *m_v;
};

class BgraCanvas {
public:
    BgraCanvas(int width, int height, std::vector<uint8_t>& bytes)
        : m_width(width), m_height(height) {
        bytes.assign(static_cast<size_t>(width) * height * 4, 0);
        m_pixels = bytes.data();
    }
    void Fill(const Rect& r, uint32_t rgb) {
        if (r.Empty())
            return;
        const uint8_t pixel[4] = {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                                  static_cast<uint8_t>(rgb >> 16), 0xFF};
        for (int y = r.top; y < r.bottom; ++y) {
            // Bottom-up: the picture's top row is the last row in memory.
            uint8_t* row = m_pixels + static_cast<size_t>(m_height - 1 - y) * m_width * 4;
            for (int x = r.left; x < r.right; ++x)
                std::memcpy(row + static_cast<size_t>(x) * 4, pixel, 4);
        }
    }
    Rect Whole() const { return Rect{0, 0, m_width, m_height}; }

private:
    int m_width, m_height;
    uint8_t* m_pixels;
};

template <class Canvas> void Paint(Canvas& canvas, const SampleVideo& video, int32_t index) {
    canvas.Fill(canvas.Whole(), video.background);
    const std::vector<FrameObject> shown = ObjectsInFrame(video, index);
    // Back to front, so the first object ends up on top.
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        canvas.Fill(Inset(it->box, 0), RimColorOf(it->object->color));
        canvas.Fill(Inset(it->box, kObjectRim), it->object->color);
    }
}

} // namespace

uint32_t RimColorOf(uint32_t color) {
    const uint32_t r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
    return ((r * 3 / 5) << 16) | ((g * 3 / 5) << 8) | (b * 3 / 5);
}

std::vector<uint8_t> RenderFrame(const SampleVideo& video, int32_t index) {
    std::vector<uint8_t> bytes;
    if (video.pictures == PictureFormat::kBgra32) {
        BgraCanvas canvas(video.width, video.height, bytes);
        Paint(canvas, video, index);
    } else {
        I420Canvas canvas(video.width, video.height, bytes);
        Paint(canvas, video, index);
    }
    return bytes;
}
