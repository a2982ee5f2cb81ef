// The rendering thread's picture: a 32-bit DIB section in a memory DC that a
// frame is decoded into, drawn on in picture pixels, and then stretched over
// the video window's client area.
#pragma once

#include "gdi.h"
#include "media_protocol.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

class FrameCanvas {
public:
    FrameCanvas() = default;
    ~FrameCanvas();
    FrameCanvas(const FrameCanvas&) = delete;
    FrameCanvas& operator=(const FrameCanvas&) = delete;

    // Decodes a picture of the given format and size (its byte count already
    // checked against them); false when no canvas of that size can be made.
    bool Decode(media::PixelFormat format, int width, int height, std::span<const uint8_t> picture);
    // The DC that draws on the picture; null before the first picture.
    HDC Dc() const { return m_dc ? m_dc->Get() : nullptr; }
    // Stretches the picture over the window's client area.
    void PresentTo(HWND window) const;

private:
    bool Resize(int width, int height);

    std::unique_ptr<MemoryDC> m_dc;
    GdiBitmap m_bitmap;
    HGDIOBJ m_originalBitmap = nullptr;
    uint8_t* m_pixels = nullptr; // top row first, 4 bytes a pixel
    int m_width = 0;
    int m_height = 0;
};
