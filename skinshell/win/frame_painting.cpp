#include "frame_painting.h"

#include "gdi.h"

#include <windowsx.h>

void SetRoundedWindowRegion(HWND window, int inset, int ellipse) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    GdiRegion region(
        CreateRoundRectRgn(inset, inset, width - inset + 1, height - inset + 1, ellipse, ellipse));
    // The system owns the region once it takes it.
    if (region && SetWindowRgn(window, region.Get(), TRUE))
        region.Release();
}

void DrawTitleText(HDC dc, HFONT font, COLORREF colour, int x, int y, const std::wstring& text) {
    SelectObjectScope select(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

SkinRect ClientSkinRect(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.left, client.top, client.right, client.bottom};
}

POINT MessagePoint(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
