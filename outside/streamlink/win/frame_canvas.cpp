#include "frame_canvas.h"

#include "yuv420.h"

#include <cstring>

FrameCanvas::~FrameCanvas() {
    if (m_dc && m_originalBitmap)
        SelectObject(m_dc->Get(), m_originalBitmap);
}

bool FrameCanvas::Resize(int width, int height) {
    if (width == m_width && height == m_height && m_bitmap)
        return true;
    if (!m_dc) {
        m_dc = std::make_unique<MemoryDC>(nullptr);
        if (!m_dc->Get()) {
            m_dc.reset();
            return false;
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return false;
    // Put the DC's own bitmap back before the old section goes.
    const HGDIOBJ previous = SelectObject(m_dc->Get(), bitmap.Get());
    if (!m_originalBitmap)
        m_originalBitmap = previous;
    m_bitmap = std::move(bitmap);
    m_pixels = static_cast<uint8_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

bool FrameCanvas::Decode(media::PixelFormat format, int width, int height,
                         std::span<const uint8_t> picture) {
    if (!Resize(width, height))
        return false;
    GdiFlush(); // GDI must be done with the section before we write it
    const size_t stride = static_cast<size_t>(width) * 4;
    if (format == media::PixelFormat::kI420) {
        I420ToBgra32(picture.data(), width, height, m_pixels, static_cast<ptrdiff_t>(stride));
    } else {
        // The stream's 32-bit pictures are bottom-up; the canvas is top-down.
        for (int row = 0; row < height; ++row)
            std::memcpy(m_pixels + static_cast<size_t>(row) * stride,
                        picture.data() + static_cast<size_t>(height - 1 - row) * stride, stride);
    }
    return true;
}

void FrameCanvas::PresentTo(HWND window) const {
    if (!m_dc || !m_bitmap || !window || !IsWindow(window))
        return;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return;
    WindowDC target(window);
    if (!target.Get())
        return;
    SetStretchBltMode(target.Get(), COLORONCOLOR);
    StretchBlt(target.Get(), 0, 0, client.right, client.bottom, m_dc->Get(), 0, 0, m_width,
               m_height, SRCCOPY);
}
