// A skin picture: a PNG loaded as a 32-bit DIB whose colours are
// premultiplied by its alpha right after loading, ready for alpha blending.
//
// Pictures are decoded once for the process: every panel, button and state
// picture that names the same file (unchanged on disk since) shares one
// decoded copy, so showing a panel or switching a button's face decodes
// nothing that was decoded before.
#pragma once

#include "image.h"

#include <memory>
#include <string>

class SkinPicture {
public:
    // Replaces the picture with the file's; false (and no picture) on failure.
    // A null or empty path just releases the picture.
    bool Load(const wchar_t* path);
    void Reset() { m_image.reset(); }

    bool IsNull() const { return !m_image || m_image->IsNull(); }
    int Width() const { return m_image ? m_image->Width() : 0; }
    int Height() const { return m_image ? m_image->Height() : 0; }
    const Image& Pixels() const;

    // Alpha-blends the picture at its natural size with its top-left at (x, y).
    void DrawWithAlpha(HDC dc, int x, int y) const;
    // Stretches the whole picture over destination as a plain copy.
    void StretchOver(HDC dc, const RECT& destination) const;

private:
    std::shared_ptr<const Image> m_image;
};
