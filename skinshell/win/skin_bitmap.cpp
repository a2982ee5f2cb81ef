#include "skin_bitmap.h"

#include <gdiplus.h>

namespace {

// Skin files are named relative to the current directory. The system's
// picture loader would look beside the program first, so relative names
// are made full here.
std::wstring InCurrentDirectory(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length)
        return path;
    full.resize(written);
    return full;
}

} // namespace

bool SkinBitmap::Load(const std::wstring& path) {
    return m_surface.Take(nullptr, GdiBitmap(static_cast<HBITMAP>(LoadImageW(
                                       nullptr, InCurrentDirectory(path).c_str(), IMAGE_BITMAP, 0,
                                       0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))));
}

COLORREF SkinBitmap::PixelAt(int x, int y) const {
    return m_surface ? GetPixel(m_surface.Dc(), x, y) : CLR_INVALID;
}

void SkinBitmap::Draw(HDC dc, const SkinRect& destination, const SkinRect& source) const {
    if (!m_surface || destination.IsEmpty() || source.IsEmpty())
        return;
    if (destination.Width() == source.Width() && destination.Height() == source.Height()) {
        BitBlt(dc, destination.left, destination.top, destination.Width(), destination.Height(),
               m_surface.Dc(), source.left, source.top, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, destination.left, destination.top, destination.Width(), destination.Height(),
               m_surface.Dc(), source.left, source.top, source.Width(), source.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void SkinBitmap::DrawStrip(HDC dc, const SkinRect& strip, int sideWidth, int middleWidth) const {
    for (const TilePiece& piece : ThreeTileStrip(strip, sideWidth, middleWidth))
        Draw(dc, piece.destination, piece.source);
}

bool DrawPictureFile(HDC dc, const std::wstring& path, int x, int y) {
    Gdiplus::Bitmap picture(path.c_str());
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return false;
    Gdiplus::Graphics graphics(dc);
    return graphics.DrawImage(&picture, x, y, static_cast<INT>(picture.GetWidth()),
                              static_cast<INT>(picture.GetHeight())) == Gdiplus::Ok;
}

bool IsReadablePicture(const std::wstring& path) {
    Gdiplus::Bitmap picture(path.c_str());
    return picture.GetLastStatus() == Gdiplus::Ok;
}

bool OwnedIcon::Load(const std::wstring& path) {
    Reset();
    m_icon = static_cast<HICON>(LoadImageW(nullptr, InCurrentDirectory(path).c_str(), IMAGE_ICON, 0,
                                           0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    return m_icon != nullptr;
}

void OwnedIcon::Reset() {
    if (m_icon != nullptr)
        DestroyIcon(m_icon);
    m_icon = nullptr;
}
