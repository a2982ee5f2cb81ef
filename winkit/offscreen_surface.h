// A memory DC with its own bitmap selected into it, both owned: a back
// buffer, a cached picture, or a bitmap loaded from a file for painting.
#pragma once

#include "gdi.h"

class OffscreenSurface {
public:
    OffscreenSurface() = default;
    ~OffscreenSurface() { Reset(); }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // A new surface of width x height compatible with dc; false (and none)
    // when the size is not positive or GDI refuses.
    bool Create(HDC compatibleWith, int width, int height);
    // A surface holding bitmap (a DDB or DIB section); false (and none) when
    // there is no bitmap or no DC.
    bool Take(HDC compatibleWith, GdiBitmap bitmap);
    void Reset();

    explicit operator bool() const { return m_dc != nullptr; }
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    HDC m_dc = nullptr;
    GdiBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};
