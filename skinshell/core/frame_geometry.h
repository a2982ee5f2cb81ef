// Where the skinned dialogs put their pieces: system-button rectangles,
// three-tile strips, the frame dialog's hit test, title band, maximised
// placement and the area left for a derived dialog's controls. Rectangles
// are left/top inclusive, right/bottom exclusive.
#pragma once

#include <vector>

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    SkinRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const SkinRect&) const = default;
};

struct SystemButtons {
    SkinRect minimize; // empty when the window has none
    SkinRect maximize; // empty when the window has none
    SkinRect close;

    // 0 none, 1 maximise, 2 minimise, 3 close: the button under the point,
    // checked in the order minimise, maximise, close.
    int At(int x, int y) const;
    // The leftmost button's left edge.
    int LeftEdge() const;
};

enum SystemButton { kNoButton = 0, kMaximizeButton = 1, kMinimizeButton = 2, kCloseButton = 3 };

// The non-client buttons of the sprite-sheet dialog, in window coordinates
// of a window windowWidth wide.
SystemButtons SpriteFrameButtons(int windowWidth, bool hasMaximize, bool hasMinimize);
// Its icon, in window coordinates.
constexpr SkinRect kSpriteFrameIconRect = {5, 5, 37, 37};
constexpr int kSpriteFrameCaptionHeight = 35;

// The client-drawn dialog's close button in client coordinates.
SkinRect SkinDialogCloseRect(const SkinRect& client);

// The frame dialog's 23 x 23 buttons along the top right of client.
SystemButtons FrameDialogButtons(const SkinRect& client, bool hasMaximize, bool hasMinimize);

// One piece of a strip drawn from a bitmap of three tiles (left of sideWidth,
// middle of middleWidth, right of sideWidth): copy source (in the bitmap) to
// destination, stretching where their sizes differ.
struct TilePiece {
    SkinRect destination;
    SkinRect source;
};
// The pieces that draw strip (the tiles' height is the strip's). A strip
// narrower than two side tiles shows the outer parts of both side tiles and
// no middle.
std::vector<TilePiece> ThreeTileStrip(const SkinRect& strip, int sideWidth, int middleWidth);

// Where the frame dialog's hit test sends a point (client coordinates).
enum class FrameHit {
    Default, // the system's own answer
    Client,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};
FrameHit FrameDialogHitTest(int x, int y, const SkinRect& client, bool resizable, bool maximized);

// The part of the title bar that drags the window or toggles maximising:
// from inset (x and y) to the buttons' left edge and the title's height.
SkinRect TitleBand(const SystemButtons& buttons, int titleHeight, int inset);

struct MaximizedPlacement {
    int x, y, width, height;
};
// Where the frame dialog goes when maximised on workArea, given its region
// inset.
MaximizedPlacement FrameDialogMaximized(const SkinRect& workArea, int inset);

// The client area less the borders, the title and the status bar; never
// turned inside out when the window is smaller than its frame.
SkinRect FrameDialogContentRect(const SkinRect& client, int borderWidth, int titleHeight,
                                int statusHeight);
