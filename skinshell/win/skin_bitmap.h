// A skin bitmap file loaded for painting and drawn piece by piece, and PNG
// pictures drawn through GDI+. A file that cannot be loaded draws nothing.
#pragma once

#include "frame_geometry.h"
#include "offscreen_surface.h"

#include <string>

class SkinBitmap {
public:
    bool Load(const std::wstring& path);
    void Reset() { m_surface.Reset(); }
    bool IsNull() const { return !m_surface; }

    // Copies source (bitmap coordinates) onto destination, stretching where
    // their sizes differ.
    void Draw(HDC dc, const SkinRect& destination, const SkinRect& source) const;
    // A three-tile strip (see ThreeTileStrip).
    void DrawStrip(HDC dc, const SkinRect& strip, int sideWidth, int middleWidth) const;
    // The colour of one pixel (CLR_INVALID when there is none).
    COLORREF PixelAt(int x, int y) const;

private:
    OffscreenSurface m_surface;
};

// Draws a PNG (or any picture GDI+ reads) at its natural size with its
// top-left corner at (x, y), blending its alpha; false when it cannot be read.
bool DrawPictureFile(HDC dc, const std::wstring& path, int x, int y);
// True when the file is a picture GDI+ can read.
bool IsReadablePicture(const std::wstring& path);

// An icon loaded from a file, destroyed with its owner.
class OwnedIcon {
public:
    OwnedIcon() = default;
    ~OwnedIcon() { Reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    // The file's icon at the system's default icon size; false (and none) on failure.
    bool Load(const std::wstring& path);
    void Reset();
    HICON Get() const { return m_icon; }

private:
    HICON m_icon = nullptr;
};
