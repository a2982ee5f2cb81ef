#include "search_picture_canvas.h"

#include "target_files.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr COLORREF kGround = RGB(125, 125, 125);
constexpr COLORREF kOutlineColour = RGB(255, 0, 0);
constexpr int kOutlineWidth = 2;

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

} // namespace

const MessageEntry<KSearchPicture> KSearchPicture::kMessages[] = {
    {WM_PAINT, &KSearchPicture::OnPaint},
    {WM_SIZE, &KSearchPicture::OnSize},
    {WM_LBUTTONDOWN, &KSearchPicture::OnLButtonDown},
    {WM_MOUSEMOVE, &KSearchPicture::OnMouseMove},
    {WM_RBUTTONDOWN, &KSearchPicture::OnRButtonDown},
    {WM_DESTROY, &KSearchPicture::OnDestroy},
};

bool KSearchPicture::CreateIn(HWND parent, const RECT& rect) {
    return Create(kClassName, WS_CHILD | WS_VISIBLE, 0, rect, parent) != nullptr;
}

bool KSearchPicture::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

int KSearchPicture::LoadPicture(const std::wstring& path) {
    if (path.empty())
        return 0;
    auto picture = std::make_unique<Image>();
    if (!picture->Load(path))
        return 0;
    m_cursorClip.Release();
    m_backBuffer.Reset();
    m_outline.Reset();
    m_picture = std::move(picture);
    m_strPicture = path;
    RebuildBackBuffer();
    FitPicture();
    Redraw();
    return 1;
}

int KSearchPicture::StartOutline() {
    if (!HasPicture())
        return 0;
    m_outline.Start();
    Redraw();
    return 1;
}

int KSearchPicture::SaveTargetFiles() {
    if (!HasPicture())
        return 0;
    return WriteTargetPictures(m_strPicture, m_outline.Points(), m_strSaveDir) ? 1 : 0;
}

int KSearchPicture::SaveMaskBin() {
    if (!HasPicture())
        return 0;
    return WriteTargetMaskBytes(m_picture->Width(), m_picture->Height(), m_outline.Points(),
                                m_strSaveDir)
               ? 1
               : 0;
}

void KSearchPicture::RebuildBackBuffer() {
    if (m_hWnd == nullptr)
        return;
    const SIZE size = ClientSize(m_hWnd);
    WindowDC screen(m_hWnd);
    if (m_backBuffer.Create(screen.Get(), size.cx, size.cy))
        SetStretchBltMode(m_backBuffer.Dc(), COLORONCOLOR);
}

void KSearchPicture::FitPicture() {
    m_scaledPicture.Reset();
    if (!HasPicture() || m_hWnd == nullptr) {
        m_rcImage = PixelRect{};
        return;
    }
    const SIZE size = ClientSize(m_hWnd);
    m_rcImage = FitPictureRect(m_picture->Width(), m_picture->Height(), size.cx, size.cy);
    m_outline.Rescale(m_rcImage.Width(), m_rcImage.Height());
    // Stretch once per size, not at every mouse move.
    WindowDC screen(m_hWnd);
    if (m_scaledPicture.Create(screen.Get(), m_rcImage.Width(), m_rcImage.Height())) {
        const RECT destination = {0, 0, m_rcImage.Width(), m_rcImage.Height()};
        const RECT source = {0, 0, m_picture->Width(), m_picture->Height()};
        m_picture->StretchDraw(m_scaledPicture.Dc(), destination, source);
    }
    if (m_cursorClip.IsActive())
        ConfineCursorToPicture();
}

void KSearchPicture::Redraw() {
    if (!m_backBuffer || m_hWnd == nullptr)
        return;
    HDC dc = m_backBuffer.Dc();
    const RECT client = {0, 0, m_backBuffer.Width(), m_backBuffer.Height()};
    GdiBrush ground(CreateSolidBrush(kGround));
    FillRect(dc, &client, ground.Get());
    if (m_scaledPicture)
        BitBlt(dc, m_rcImage.left, m_rcImage.top, m_scaledPicture.Width(), m_scaledPicture.Height(),
               m_scaledPicture.Dc(), 0, 0, SRCCOPY);

    const auto& points = m_outline.Points();
    if (!points.empty()) {
        GdiPen pen(CreatePen(PS_SOLID, kOutlineWidth, kOutlineColour));
        SelectObjectScope selectPen(dc, pen.Get());
        for (size_t i = 0; i < points.size(); ++i) {
            const PixelPoint at =
                Outline::ToPixels(points[i], m_rcImage.Width(), m_rcImage.Height());
            if (i == 0)
                MoveToEx(dc, m_rcImage.left + at.x, m_rcImage.top + at.y, nullptr);
            else
                LineTo(dc, m_rcImage.left + at.x, m_rcImage.top + at.y);
        }
        if (m_outline.IsSelecting())
            LineTo(dc, m_rcImage.left + m_ptCursor.x, m_rcImage.top + m_ptCursor.y);
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void KSearchPicture::ConfineCursorToPicture() {
    RECT screen = {m_rcImage.left, m_rcImage.top, m_rcImage.right, m_rcImage.bottom};
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    m_cursorClip.Confine(screen);
}

LRESULT KSearchPicture::OnPaint(WPARAM, LPARAM, bool&) {
    PaintDC paint(m_hWnd);
    if (m_backBuffer) {
        BitBlt(paint.Get(), 0, 0, m_backBuffer.Width(), m_backBuffer.Height(), m_backBuffer.Dc(), 0,
               0, SRCCOPY);
    }
    return 0;
}

LRESULT KSearchPicture::OnSize(WPARAM, LPARAM lParam, bool& handled) {
    handled = false;
    if (GET_X_LPARAM(lParam) <= 0 || GET_Y_LPARAM(lParam) <= 0)
        return 0;
    RebuildBackBuffer();
    // The vertices are kept relative to the picture, so they follow it.
    FitPicture();
    Redraw();
    return 0;
}

LRESULT KSearchPicture::OnLButtonDown(WPARAM, LPARAM lParam, bool& handled) {
    handled = false;
    if (!IsOutlining() || m_rcImage.Width() <= 0 || m_rcImage.Height() <= 0)
        return 0;
    // A click beside the picture counts at the nearest picture pixel: the
    // outline never leaves the picture.
    const int x = std::clamp(GET_X_LPARAM(lParam), m_rcImage.left, m_rcImage.right - 1);
    const int y = std::clamp(GET_Y_LPARAM(lParam), m_rcImage.top, m_rcImage.bottom - 1);
    ConfineCursorToPicture();
    const int a = x - m_rcImage.left;
    const int b = y - m_rcImage.top;
    m_ptCursor = PixelPoint{a, b};
    if (m_outline.AddClick(a, b, m_rcImage.Width(), m_rcImage.Height()))
        m_cursorClip.Release();
    Redraw();
    return 0;
}

LRESULT KSearchPicture::OnMouseMove(WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (!IsOutlining() || (wParam & MK_LBUTTON) != 0)
        return 0;
    m_ptCursor =
        PixelPoint{GET_X_LPARAM(lParam) - m_rcImage.left, GET_Y_LPARAM(lParam) - m_rcImage.top};
    // The wait cursor hints that a click here closes the outline.
    if (m_outline.IsNearFirst(m_ptCursor.x, m_ptCursor.y))
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (!m_outline.Points().empty())
        Redraw();
    return 0;
}

LRESULT KSearchPicture::OnRButtonDown(WPARAM, LPARAM, bool& handled) {
    handled = false;
    if (!IsOutlining())
        return 0;
    m_cursorClip.Release();
    m_outline.Clear();
    Redraw();
    return 0;
}

LRESULT KSearchPicture::OnDestroy(WPARAM, LPARAM, bool& handled) {
    handled = false;
    m_cursorClip.Release();
    return 0;
}
