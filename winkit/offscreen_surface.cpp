#include "offscreen_surface.h"

#include <utility>

bool OffscreenSurface::Create(HDC compatibleWith, int width, int height) {
    Reset();
    if (width <= 0 || height <= 0)
        return false;
    return Take(compatibleWith, GdiBitmap(CreateCompatibleBitmap(compatibleWith, width, height)));
}

bool OffscreenSurface::Take(HDC compatibleWith, GdiBitmap bitmap) {
    Reset();
    BITMAP info = {};
    if (!bitmap || GetObjectW(bitmap.Get(), sizeof(info), &info) == 0)
        return false;
    HDC dc = CreateCompatibleDC(compatibleWith);
    if (dc == nullptr)
        return false;
    m_oldBitmap = SelectObject(dc, bitmap.Get());
    m_dc = dc;
    m_bitmap = std::move(bitmap);
    m_width = info.bmWidth;
    m_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return true;
}

void OffscreenSurface::Reset() {
    if (m_dc != nullptr) {
        SelectObject(m_dc, m_oldBitmap); // the bitmap must leave the DC before it is deleted
        DeleteDC(m_dc);
        m_dc = nullptr;
    }
    m_bitmap.Reset();
    m_oldBitmap = nullptr;
    m_width = m_height = 0;
}
