#include "widget_test_window.h"

#include "gdi.h"
#include "reflection.h"

#include <cstdlib>

bool WidgetTestWindow::Create(int width, int height, COLORREF colour, int x, int y) {
    background = colour;
    const RECT frame = {x, y, x + width, y + height};
    if (!CustomWindow::Create(L"WidgetTestWindow", WS_POPUP | WS_VISIBLE, 0, frame, nullptr,
                              L"widgets"))
        return false;
    UpdateWindow(m_hWnd);
    return true;
}

bool WidgetTestWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (extraHandler && extraHandler(message, wParam, lParam, result))
        return true;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_hWnd, &client);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (paintBackground) {
            paintBackground(dc, client);
        } else {
            GdiBrush brush(CreateSolidBrush(background));
            FillRect(dc, &client, brush.Get());
        }
        result = 1;
        return true;
    }
    case WM_COMMAND:
        commands.push_back({wParam, lParam});
        result = 0;
        return true;
    case WM_HSCROLL:
        if (lParam == 0) {
            scrolls.push_back({wParam, lParam});
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return ReflectNotification(message, wParam, lParam, result);
}

void PumpMessages(int ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

PixelBuffer PaintAndCapture(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return CaptureWindow(window);
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}
