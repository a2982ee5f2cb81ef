#include "overlay_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int64_t DrawnTop(int64_t top) {
    return top >= 5 ? top - 5 : top;
}

std::array<OverlaySegment, 8> CornerBrackets(int64_t x, int64_t t, int64_t w, int64_t h) {
    const int64_t a = w / 5, A = 4 * w / 5, b = h / 5, B = 4 * h / 5;
    return {{
        {{x, t}, {x + a, t}},
        {{x + A, t}, {x + w, t}},
        {{x + w, t}, {x + w, t + b}},
        {{x + w, t + B}, {x + w, t + h}},
        {{x + w, t + h}, {x + A, t + h}},
        {{x + a, t + h}, {x, t + h}},
        {{x, t + h}, {x, t + B}},
        {{x, t + b}, {x, t}},
    }};
}

int64_t SourceSecondsOf(uint64_t sourceFrame, double frameRate) {
    if (!(frameRate > 0))
        return 0;
    const double seconds = static_cast<double>(sourceFrame) / frameRate;
    if (!std::isfinite(seconds) || seconds >= 9.0e15)
        return 0;
    return static_cast<int64_t>(seconds);
}

std::wstring SourceTimeLabel(uint64_t sourceFrame, double frameRate) {
    const int64_t seconds = SourceSecondsOf(sourceFrame, frameRate);
    wchar_t text[64];
    swprintf(text, 64, L"%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
             static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
    return text;
}

OverlayPoint TimeLabelPlace(int64_t x, int64_t y, int64_t h, int64_t labelWidth,
                            int64_t labelHeight, int64_t frameWidth, int64_t frameHeight) {
    OverlayPoint place{x, y + h};
    if (labelHeight + y + h > frameHeight)
        place = {x + 2, y};
    if (labelWidth + place.x > frameWidth)
        place.x = frameWidth - labelWidth;
    return place;
}

int TimeLabelPointSize(int frameWidth) {
    return frameWidth > 352 ? 15 : 8;
}

std::optional<OverlayRect> TrackBoxRect(const TrackBox& box, uint32_t width, uint32_t height) {
    if (box.refWidth == 0 || box.refHeight == 0)
        return std::nullopt;
    const uint64_t W = width, H = height;
    OverlayRect rect;
    rect.left = static_cast<int64_t>(W * box.x / box.refWidth);
    rect.top = static_cast<int64_t>(H * box.y / box.refHeight);
    rect.right = rect.left + static_cast<int64_t>(W * box.w / box.refWidth);
    rect.bottom = rect.top + static_cast<int64_t>(H * box.h / box.refHeight);
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return std::nullopt;
    rect.top = DrawnTop(rect.top); // the bottom stays: the box grows upwards
    return rect;
}

const TrackBox* TrackRecordFor(const Track& track, int32_t frame) {
    if (track.empty())
        return nullptr;
    const int64_t i = int64_t{frame} - track.front().frame;
    if (i < 0 || i >= static_cast<int64_t>(track.size()) - 1)
        return nullptr;
    return &track[static_cast<size_t>(i)];
}

std::array<OverlaySegment, 2> CentreCross(const OverlayRect& rect) {
    const int64_t side = std::min(rect.Width(), rect.Height());
    const int64_t cx = rect.left + rect.Width() / 2, cy = rect.top + rect.Height() / 2;
    const int64_t arm = side / 5;
    return {{{{cx - arm, cy}, {cx + arm, cy}}, {{cx, cy - arm}, {cx, cy + arm}}}};
}

std::optional<OverlayPoint> ClientToPicture(int64_t x, int64_t y, int64_t clientWidth,
                                            int64_t clientHeight, int64_t videoWidth,
                                            int64_t videoHeight) {
    if (clientWidth <= 0 || clientHeight <= 0 || videoWidth <= 0 || videoHeight <= 0 || x < 0 ||
        y < 0)
        return std::nullopt;
    return OverlayPoint{x * videoWidth / clientWidth, y * videoHeight / clientHeight};
}
