#include "tip_layout.h"

#include <algorithm>

namespace {

constexpr int64_t kLineWidth = 500;
constexpr int64_t kMargin = 5;
constexpr int64_t kMinWidth = 100;
constexpr int64_t kMinHeight = 36;
constexpr int64_t kMinTextBlock = 26;

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, INT32_MAX));
}

// Centres a span of length size on [low, high), then keeps it inside [areaLow, areaHigh).
int32_t CentreSpan(int64_t low, int64_t high, int64_t size, int64_t areaLow, int64_t areaHigh) {
    int64_t start = (low + high) / 2 - size / 2;
    if (start + size > areaHigh)
        start = areaHigh - size;
    if (start < areaLow)
        start = areaLow;
    return static_cast<int32_t>(std::clamp<int64_t>(start, INT32_MIN, INT32_MAX));
}

} // namespace

TipSize TipWindowSize(int32_t textWidth, int32_t textHeight) {
    const int64_t w = std::max<int32_t>(textWidth, 0);
    const int64_t h = std::max<int32_t>(textHeight, 0);
    const int64_t width = std::max(std::min(w, kLineWidth) + 2 * kMargin, kMinWidth);
    const int64_t textBlock = h * (w / kLineWidth + 2);
    const int64_t height = textBlock < kMinTextBlock ? kMinHeight : textBlock + 2 * kMargin;
    return {ClampToInt32(width), ClampToInt32(height)};
}

bool TipTextCentred(int32_t clientWidth, int32_t clientHeight) {
    return clientWidth == kMinWidth && clientHeight == kMinHeight;
}

TipPoint CentreInWorkArea(const TipRect& owner, TipSize size, const TipRect& workArea) {
    return {CentreSpan(owner.left, owner.right, size.width, workArea.left, workArea.right),
            CentreSpan(owner.top, owner.bottom, size.height, workArea.top, workArea.bottom)};
}
