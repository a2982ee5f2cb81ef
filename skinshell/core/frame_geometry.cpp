#include "frame_geometry.h"

#include <algorithm>

namespace {

constexpr int kFrameButtonSize = 23;
constexpr int kFrameButtonMargin = 8;
constexpr int kResizeBand = 8;
constexpr int kResizeCorner = 20;

// The same button moved dx to the left; empty stays empty.
SkinRect LeftOf(const SkinRect& rect, int dx) {
    return rect.Offset(-dx, 0);
}

} // namespace

int SystemButtons::At(int x, int y) const {
    if (minimize.Contains(x, y))
        return kMinimizeButton;
    if (maximize.Contains(x, y))
        return kMaximizeButton;
    if (close.Contains(x, y))
        return kCloseButton;
    return kNoButton;
}

int SystemButtons::LeftEdge() const {
    if (!minimize.IsEmpty())
        return minimize.left;
    if (!maximize.IsEmpty())
        return maximize.left;
    return close.left;
}

SystemButtons SpriteFrameButtons(int windowWidth, bool hasMaximize, bool hasMinimize) {
    SystemButtons buttons;
    buttons.close = {windowWidth - 20, 5, windowWidth - 4, 20};
    if (hasMaximize)
        buttons.maximize = {buttons.close.left - 18, 5, buttons.close.left - 2, 20};
    if (hasMinimize) {
        const SkinRect& right = hasMaximize ? buttons.maximize : buttons.close;
        buttons.minimize = {right.left - 18, 5, right.left - 2, 20};
    }
    return buttons;
}

SkinRect SkinDialogCloseRect(const SkinRect& client) {
    return {client.right - 31, client.top + 2, client.right - 8, client.top + 25};
}

SystemButtons FrameDialogButtons(const SkinRect& client, bool hasMaximize, bool hasMinimize) {
    SystemButtons buttons;
    buttons.close = {client.right - kFrameButtonMargin - kFrameButtonSize, client.top + 3,
                     client.right - kFrameButtonMargin, client.top + 3 + kFrameButtonSize};
    if (hasMaximize)
        buttons.maximize = LeftOf(buttons.close, kFrameButtonSize);
    if (hasMinimize)
        buttons.minimize = LeftOf(hasMaximize ? buttons.maximize : buttons.close, kFrameButtonSize);
    return buttons;
}

std::vector<TilePiece> ThreeTileStrip(const SkinRect& strip, int sideWidth, int middleWidth) {
    std::vector<TilePiece> pieces;
    const int width = strip.Width(), height = strip.Height();
    if (width <= 0 || height <= 0)
        return pieces;
    sideWidth = std::max(sideWidth, 0);
    middleWidth = std::max(middleWidth, 0);
    const int rightTile = sideWidth + middleWidth; // where the right tile starts in the bitmap
    if (width >= 2 * sideWidth) {
        if (sideWidth > 0) {
            pieces.push_back({{strip.left, strip.top, strip.left + sideWidth, strip.bottom},
                              {0, 0, sideWidth, height}});
        }
        if (width > 2 * sideWidth && middleWidth > 0) {
            pieces.push_back(
                {{strip.left + sideWidth, strip.top, strip.right - sideWidth, strip.bottom},
                 {sideWidth, 0, sideWidth + middleWidth, height}});
        }
        if (sideWidth > 0) {
            pieces.push_back({{strip.right - sideWidth, strip.top, strip.right, strip.bottom},
                              {rightTile, 0, rightTile + sideWidth, height}});
        }
        return pieces;
    }
    const int leftPart = width / 2, rightPart = width - leftPart;
    if (leftPart > 0) {
        pieces.push_back({{strip.left, strip.top, strip.left + leftPart, strip.bottom},
                          {0, 0, leftPart, height}});
    }
    pieces.push_back({{strip.left + leftPart, strip.top, strip.right, strip.bottom},
                      {rightTile + sideWidth - rightPart, 0, rightTile + sideWidth, height}});
    return pieces;
}

FrameHit FrameDialogHitTest(int x, int y, const SkinRect& client, bool resizable, bool maximized) {
    if (maximized || !client.Contains(x, y))
        return FrameHit::Default;
    const SkinRect inner = {client.left + kResizeBand, client.top + kResizeBand,
                            client.right - kResizeBand, client.bottom - kResizeBand};
    if (inner.Contains(x, y)) {
        const SkinRect corner = {inner.right - kResizeCorner, inner.bottom - kResizeCorner,
                                 inner.right, inner.bottom};
        return resizable && corner.Contains(x, y) ? FrameHit::BottomRight : FrameHit::Client;
    }
    if (!resizable)
        return FrameHit::Default;
    const bool left = x < inner.left, right = x >= inner.right;
    const bool top = y < inner.top, bottom = y >= inner.bottom;
    if (top)
        return left ? FrameHit::TopLeft : right ? FrameHit::TopRight : FrameHit::Top;
    if (bottom)
        return left ? FrameHit::BottomLeft : right ? FrameHit::BottomRight : FrameHit::Bottom;
    return left ? FrameHit::Left : FrameHit::Right;
}

SkinRect TitleBand(const SystemButtons& buttons, int titleHeight, int inset) {
    return {inset, inset, buttons.LeftEdge(), titleHeight};
}

MaximizedPlacement FrameDialogMaximized(const SkinRect& workArea, int inset) {
    return {workArea.left - inset, workArea.top - inset, workArea.Width() + 3 * inset + 1,
            workArea.Height() + 3 * inset};
}

SkinRect FrameDialogContentRect(const SkinRect& client, int borderWidth, int titleHeight,
                                int statusHeight) {
    SkinRect content = {client.left + borderWidth, client.top + titleHeight,
                        client.right - borderWidth, client.bottom - statusHeight};
    content.right = std::max(content.right, content.left);
    content.bottom = std::max(content.bottom, content.top);
    return content;
}
