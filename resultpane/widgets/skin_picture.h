// A skin picture: a PNG loaded as a 32-bit DIB whose colours are
// premultiplied by its alpha right after loading, ready for alpha blending.
#pragma once

#include "image.h"

#include <string>

class SkinPicture {
public:
    // Replaces the picture with the file's; false (and no picture) on failure.
    // A null or empty path just releases the picture.
    bool Load(const wchar_t* path);
    void Reset() { m_image.Reset(); }

    bool IsNull() const { return m_image.IsNull(); }
    int Width() const { return m_image.Width(); }
    int Height() const { return m_image.Height(); }
    const Image& Pixels() const { return m_image; }

    // Alpha-blends the picture at its natural size with its top-left at (x, y).
    void DrawWithAlpha(HDC dc, int x, int y) const;
    // Stretches the whole picture over destination as a plain copy.
    void StretchOver(HDC dc, const RECT& destination) const;

private:
    Image m_image;
};
