// Size, text placement and position of the transparent tips window.
#pragma once

#include <cstdint>

struct TipSize {
    int32_t width;
    int32_t height;
};

// The window for a text measuring textWidth x textHeight pixels in one line:
// at most 500 pixels of text per line plus a 5-pixel margin on each side, at
// least 100 wide; room for one more line than the wrapped text needs, and
// never lower than 36.
TipSize TipWindowSize(int32_t textWidth, int32_t textHeight);

// Only the smallest tip centres its text horizontally; larger ones wrap it
// left-aligned.
bool TipTextCentred(int32_t clientWidth, int32_t clientHeight);

struct TipRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Top-left corner of a window of the given size centred on the owner's
// rectangle, then moved inside the work area (its left and top edges win
// when the window is larger than the work area).
struct TipPoint {
    int32_t x;
    int32_t y;
};
TipPoint CentreInWorkArea(const TipRect& owner, TipSize size, const TipRect& workArea);
