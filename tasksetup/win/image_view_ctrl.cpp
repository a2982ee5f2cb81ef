#include "image_view_ctrl.h"

#include "gdi.h"

namespace {

// Shown when the picture cannot be scaled (no memory for it).
constexpr COLORREF kUnscaledColor = RGB(160, 160, 160);

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

bool CImageViewCtrl::LoadImage(const std::wstring& path) {
    if (!FileExists(path)) {
        Repaint();
        return HasPicture();
    }
    m_scaledValid = false;
    if (m_picture.Load(path))
        FitToPicture();
    Repaint();
    return HasPicture();
}

bool CImageViewCtrl::LoadImageBytes(std::string_view bytes) {
    m_scaledValid = false;
    if (m_picture.LoadFromBytes(bytes))
        FitToPicture();
    Repaint();
    return HasPicture();
}

void CImageViewCtrl::GetImageSize(int& width, int& height) const {
    width = m_picture.Width();
    height = m_picture.Height();
}

void CImageViewCtrl::SetArea(int x, int y, int width, int height) {
    m_area = ViewRect{x, y, width, height};
}

void CImageViewCtrl::FillArea() {
    if (m_hWnd)
        MoveWindow(m_hWnd, m_area.left, m_area.top, m_area.width, m_area.height, TRUE);
}

void CImageViewCtrl::FitToPicture() {
    if (m_hWnd == nullptr)
        return;
    const ViewRect fitted = FitPicture(m_picture.Width(), m_picture.Height(), m_area);
    MoveWindow(m_hWnd, fitted.left, fitted.top, fitted.width, fitted.height, TRUE);
}

void CImageViewCtrl::Repaint() {
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CImageViewCtrl::EnsureScaled(int width, int height) {
    if (m_scaledValid && m_scaled.Width() == width && m_scaled.Height() == height)
        return true;
    m_scaledValid = false;
    if (!m_scaled.Create(width, height))
        return false;
    MemoryDC memory(nullptr);
    SelectObjectScope select(memory.Get(), m_scaled.Bitmap());
    m_picture.StretchDraw(memory.Get(), RECT{0, 0, width, height},
                          RECT{0, 0, m_picture.Width(), m_picture.Height()});
    GdiFlush();
    m_scaledValid = true;
    return true;
}

void CImageViewCtrl::Paint(HDC dc) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    if (!HasPicture() || !EnsureScaled(width, height)) {
        GdiBrush brush(CreateSolidBrush(kUnscaledColor));
        FillRect(dc, &client, brush.Get());
        return;
    }
    // Composed off screen, so the operator never sees the picture without
    // the shapes on it.
    if ((m_backBuffer.Width() != width || m_backBuffer.Height() != height) &&
        !m_backBuffer.Create(width, height)) {
        m_scaled.Draw(dc, 0, 0);
        DrawOverlay(dc, width, height);
        return;
    }
    MemoryDC memory(dc);
    SelectObjectScope select(memory.Get(), m_backBuffer.Bitmap());
    m_scaled.Draw(memory.Get(), 0, 0);
    DrawOverlay(memory.Get(), width, height);
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

bool CImageViewCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // Without a picture the placeholder shows itself (a frame, or nothing).
    if (!HasPicture() && message != WM_NCHITTEST)
        return false;
    switch (message) {
    case WM_ERASEBKGND:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    case WM_PAINT: {
        PaintDC paint(m_hWnd); // the erase message above has painted
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_NCHITTEST:
        result = HTCLIENT; // a static would let clicks through to its parent
        return true;
    default:
        return false;
    }
}
