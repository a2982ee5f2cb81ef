// A top-level window for widget tests: it paints a plain background (or
// whatever paintBackground draws), reflects its children's notifications
// as a panel does, and records the commands and scroll messages it gets.
#pragma once

#include "image.h"
#include "window.h"

#include <functional>
#include <vector>

struct ReceivedMessage {
    WPARAM wParam;
    LPARAM lParam;
};

class WidgetTestWindow : public CustomWindow {
public:
    ~WidgetTestWindow() override { Destroy(); }

    // A visible popup at (x, y) whose client area is width x height.
    bool Create(int width, int height, COLORREF background, int x = 100, int y = 100);

    COLORREF background = RGB(0, 0, 0);
    std::function<void(HDC dc, const RECT& client)> paintBackground;
    std::function<bool(UINT message, WPARAM, LPARAM, LRESULT&)> extraHandler;
    std::vector<ReceivedMessage> commands;
    // WM_HSCROLL messages that name no control (the slider's release notice).
    std::vector<ReceivedMessage> scrolls;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// Handles the thread's messages for about ms milliseconds.
void PumpMessages(int ms);
// Repaints window and its children now and reads its client area back.
PixelBuffer PaintAndCapture(HWND window);
// The screen point of a client point of window.
POINT ScreenPoint(HWND window, int x, int y);

inline uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}
// True when every channel of two 0xRRGGBB colours is within tolerance.
bool Near(uint32_t a, uint32_t b, int tolerance);
