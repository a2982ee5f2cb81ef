// A picture held as a 32-bit top-down DIB section (BGRA), loaded from a PNG,
// JPEG or BMP file through GDI+. Alpha stays as the file has it (straight).
#pragma once

#include "gdi.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Gdiplus {
class Bitmap;
}

class Image {
public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Replaces the picture with the file's; false (and no picture) on failure.
    bool Load(const std::wstring& path);
    // The same for a picture file's bytes held in memory.
    bool LoadFromBytes(std::string_view bytes);
    // A blank picture of the given size (all pixels 0).
    bool Create(int width, int height);
    void Reset();

    bool IsNull() const { return !m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // True when the file carried an alpha channel.
    bool HasAlpha() const { return m_hasAlpha; }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    // Row-major, top row first, 0xAARRGGBB per pixel.
    uint32_t* Pixels() const { return m_pixels; }
    uint32_t PixelAt(int x, int y) const;

    // Copies the picture unscaled with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;
    // Stretches the source rectangle of the picture over the destination.
    void StretchDraw(HDC dc, const RECT& destination, const RECT& source) const;

private:
    bool ConvertFrom(Gdiplus::Bitmap& source);

    GdiBitmap m_bitmap;
    uint32_t* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
};

// Pixels read back from a window or DC (top row first, 0x00RRGGBB).
struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
    }
};

// The window's client area as it is on screen, child windows included.
PixelBuffer CaptureWindow(HWND window);
// The whole window as it is on screen, its frame included (window coordinates).
PixelBuffer CaptureWholeWindow(HWND window);
// A bitmap's pixels (0xAARRGGBB in pixels, alpha as the bitmap holds it).
PixelBuffer BitmapPixels(HBITMAP bitmap);
// Writes pixels as a PNG file.
bool SavePng(const PixelBuffer& pixels, const std::wstring& path);
