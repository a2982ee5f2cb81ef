// The picker's window: a small magnifier that follows the mouse (which it
// holds captured) and shows the pixels around it enlarged, with the colour
// under the cursor. A left click picks that colour; Escape, a right click or
// losing the mouse gives up.
#pragma once

#include "gdi.h"
#include "window.h"

#include <cstdint>

inline constexpr wchar_t kMagnifierClassName[] = L"HueSamplerMagnifier";

class Magnifier : public CustomWindow {
public:
    ~Magnifier() override { Destroy(); }

    // Runs the picker until the operator picks or gives up; returns the
    // COLORREF picked, or 0xFFFFFFFF.
    uint32_t Run();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static constexpr int kRadius = 5; // pixels either side of the cursor
    static constexpr int kZoom = 10;  // enlargement of each pixel
    static constexpr int kSide = (2 * kRadius + 1) * kZoom;
    static constexpr int kInfoHeight = 24;

    void Follow(POINT screen);
    void Sample(POINT screen);
    void Paint(HDC dc);
    void Finish(uint32_t color);

    uint32_t m_block[2 * kRadius + 1][2 * kRadius + 1] = {};
    uint32_t m_result = 0xFFFFFFFFu;
    bool m_done = false;
};
