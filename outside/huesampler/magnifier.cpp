#include "magnifier.h"

#include "image.h"

#include <windowsx.h>

#include <cwchar>

namespace {

constexpr uint32_t kNoColor = 0xFFFFFFFFu;
constexpr int kCursorGap = 20; // the window stays clear of the sampled point

// The colours of a square of screen pixels, read from the windows that show
// them (topmost window under each point's square centre). Pixels no window
// shows read as black.
void ReadScreenBlock(POINT centre, int radius, uint32_t* out, HWND skip) {
    const int side = 2 * radius + 1;
    for (int i = 0; i < side * side; ++i)
        out[i] = 0;
    HWND window = WindowFromPoint(centre);
    if (window == nullptr || window == skip)
        return;
    RECT frame;
    GetWindowRect(window, &frame);
    HDC source = GetWindowDC(window);
    if (source == nullptr)
        return;
    Image block;
    if (block.Create(side, side)) {
        MemoryDC memory(source);
        {
            SelectObjectScope select(memory.Get(), block.Bitmap());
            BitBlt(memory.Get(), 0, 0, side, side, source, centre.x - frame.left - radius,
                   centre.y - frame.top - radius, SRCCOPY);
        }
        GdiFlush();
        for (int i = 0; i < side * side; ++i) {
            const uint32_t argb = block.Pixels()[i];
            // The picture holds 0xAARRGGBB; a COLORREF is red first.
            out[i] = ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
        }
    }
    ReleaseDC(window, source);
}

} // namespace

uint32_t Magnifier::Run() {
    POINT cursor;
    GetCursorPos(&cursor);
    const RECT frame = {cursor.x + kCursorGap, cursor.y + kCursorGap,
                        cursor.x + kCursorGap + kSide + 2,
                        cursor.y + kCursorGap + kSide + kInfoHeight + 2};
    if (!Create(kMagnifierClassName, WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, frame,
                nullptr, L"取色", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
        return kNoColor;
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    SetFocus(m_hWnd);
    SetCapture(m_hWnd);
    Sample(cursor);

    MSG message;
    while (!m_done && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!m_done && message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam)); // for the caller's loop
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    Destroy();
    return m_result;
}

void Magnifier::Finish(uint32_t color) {
    if (m_done)
        return;
    m_result = color;
    m_done = true;
}

void Magnifier::Follow(POINT screen) {
    // Below right of the cursor, or on the other side near the screen's edge.
    const int width = kSide + 2, height = kSide + kInfoHeight + 2;
    int x = screen.x + kCursorGap, y = screen.y + kCursorGap;
    if (x + width > GetSystemMetrics(SM_CXVIRTUALSCREEN))
        x = screen.x - kCursorGap - width;
    if (y + height > GetSystemMetrics(SM_CYVIRTUALSCREEN))
        y = screen.y - kCursorGap - height;
    SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void Magnifier::Sample(POINT screen) {
    ReadScreenBlock(screen, kRadius, &m_block[0][0], m_hWnd);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void Magnifier::Paint(HDC dc) {
    for (int y = 0; y <= 2 * kRadius; ++y) {
        for (int x = 0; x <= 2 * kRadius; ++x) {
            GdiBrush brush(CreateSolidBrush(m_block[y][x]));
            const RECT cell = {x * kZoom, y * kZoom, (x + 1) * kZoom, (y + 1) * kZoom};
            FillRect(dc, &cell, brush.Get());
        }
    }
    // The picked pixel framed in the middle.
    const RECT centre = {kRadius * kZoom - 1, kRadius * kZoom - 1, (kRadius + 1) * kZoom + 1,
                         (kRadius + 1) * kZoom + 1};
    FrameRect(dc, &centre, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const uint32_t color = m_block[kRadius][kRadius];
    RECT info = {0, kSide, kSide, kSide + kInfoHeight};
    FillRect(dc, &info, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT swatch = {4, kSide + 4, 4 + kInfoHeight - 8, kSide + kInfoHeight - 4};
    GdiBrush swatchBrush(CreateSolidBrush(color));
    FillRect(dc, &swatch, swatchBrush.Get());
    wchar_t text[32];
    swprintf(text, 32, L"%u, %u, %u", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    RECT textArea = {swatch.right + 6, kSide, kSide, kSide + kInfoHeight};
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

bool Magnifier::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    result = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        ClientToScreen(m_hWnd, &at);
        Follow(at);
        Sample(at);
        return true;
    case WM_LBUTTONDOWN: {
        ClientToScreen(m_hWnd, &at);
        Sample(at);
        Finish(m_block[kRadius][kRadius]);
        return true;
    }
    case WM_RBUTTONDOWN:
        Finish(kNoColor);
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            Finish(kNoColor);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            Finish(kNoColor);
        return true;
    case WM_PAINT: {
        PaintDC paint(m_hWnd);
        Paint(paint.Get());
        return true;
    }
    default:
        return false;
    }
}
