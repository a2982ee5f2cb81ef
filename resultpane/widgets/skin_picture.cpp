#include "skin_picture.h"

#include "premultiply.h"

bool SkinPicture::Load(const wchar_t* path) {
    m_image.Reset();
    if (path == nullptr || *path == L'\0')
        return false;
    if (!m_image.Load(path))
        return false;
    // Every picture is held with 32 bits; those without an alpha channel
    // come out opaque, where premultiplying changes nothing.
    PremultiplyPixels(m_image.Pixels(),
                      static_cast<size_t>(m_image.Width()) * static_cast<size_t>(m_image.Height()));
    return true;
}

void SkinPicture::DrawWithAlpha(HDC dc, int x, int y) const {
    if (IsNull())
        return;
    MemoryDC memory(dc);
    SelectObjectScope select(memory.Get(), m_image.Bitmap());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, Width(), Height(), memory.Get(), 0, 0, Width(), Height(), blend);
}

void SkinPicture::StretchOver(HDC dc, const RECT& destination) const {
    if (IsNull())
        return;
    const RECT all = {0, 0, Width(), Height()};
    m_image.StretchDraw(dc, destination, all);
}
