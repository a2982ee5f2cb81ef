#include "view_geometry.h"

#include <cmath>

namespace {

constexpr float kQuarterTurn = 1.57f;
constexpr float kThreeQuarterTurns = 4.71f;
constexpr float kPi = 3.1415926f;
constexpr float kHeadAngle = 35.0f * kPi / 180.0f;
constexpr float kHeadLength = 10.0f;

// A point beside anchor, turned by angle from the line's direction v.
ViewPoint Beside(ViewPoint anchor, int vx, int vy, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {anchor.x - static_cast<int>((vx * c - vy * s) / 10.0f),
            anchor.y - static_cast<int>((vx * s + vy * c) / 10.0f)};
}

// Slides p along the segment from q onto the nearest edge of the area when it
// lies outside: x first, then y.
void ClipEnd(ViewPoint& p, ViewPoint q, int width, int height) {
    const auto slideX = [&](int edge) {
        if (p.x != q.x)
            p.y = q.y + (p.y - q.y) * (edge - q.x) / (p.x - q.x);
        p.x = edge;
    };
    const auto slideY = [&](int edge) {
        if (p.y != q.y)
            p.x = q.x + (p.x - q.x) * (edge - q.y) / (p.y - q.y);
        p.y = edge;
    };
    if (p.x < 0)
        slideX(0);
    else if (p.x > width - 1)
        slideX(width - 1);
    if (p.y < 0)
        slideY(0);
    else if (p.y > height - 1)
        slideY(height - 1);
}

ViewSegment Clipped(ViewSegment s, int width, int height) {
    const ViewSegment original = s;
    ClipEnd(s.from, original.to, width, height);
    ClipEnd(s.to, original.from, width, height);
    return s;
}

} // namespace

ViewRect FitPicture(int pictureWidth, int pictureHeight, const ViewRect& area) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || area.width <= 0 || area.height <= 0)
        return area;
    const float scale = std::fmax(static_cast<float>(pictureWidth) / area.width,
                                  static_cast<float>(pictureHeight) / area.height);
    const int width = static_cast<int>(pictureWidth / scale);
    const int height = static_cast<int>(pictureHeight / scale);
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
            height};
}

bool IsClickOnSideA(ViewPoint p1, ViewPoint p2, ViewPoint click) {
    if (click.x != p1.x && p2.x != p1.x) {
        const float clickSlope =
            static_cast<float>(click.y - p1.y) / static_cast<float>(click.x - p1.x);
        const float lineSlope = static_cast<float>(p2.y - p1.y) / static_cast<float>(p2.x - p1.x);
        return clickSlope < lineSlope;
    }
    const long long cross = static_cast<long long>(p2.x - p1.x) * (click.y - p1.y) -
                            static_cast<long long>(p2.y - p1.y) * (click.x - p1.x);
    return cross < 0;
}

int NextCrossDirection(int current, bool sideA) {
    switch (current) {
    case 1:
        return sideA ? 0 : -1;
    case -1:
        return sideA ? 1 : 0;
    default:
        return sideA ? 1 : -1;
    }
}

std::array<ViewSegment, 2> TripwireArrows(ViewPoint p1, ViewPoint p2, int clientWidth,
                                          int clientHeight) {
    const ViewPoint m{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2};
    const ViewPoint q1{(m.x + p1.x) / 2, (m.y + p1.y) / 2};
    const ViewPoint q3{(m.x + p2.x) / 2, (m.y + p2.y) / 2};
    const int vx = static_cast<int>(p2.x - p1.x + 20.0);
    const int vy = static_cast<int>(p2.y - p1.y + 20.0);
    const ViewSegment arrow1{Beside(q1, vx, vy, kQuarterTurn),
                             Beside(q1, vx, vy, kThreeQuarterTurns)};
    const ViewSegment arrow2{Beside(q3, vx, vy, kThreeQuarterTurns),
                             Beside(q3, vx, vy, kQuarterTurn)};
    return {Clipped(arrow1, clientWidth, clientHeight), Clipped(arrow2, clientWidth, clientHeight)};
}

std::array<ViewSegment, 2> ArrowHead(const ViewSegment& arrow) {
    const float dx = static_cast<float>(arrow.from.x - arrow.to.x);
    const float dy = static_cast<float>(arrow.from.y - arrow.to.y);
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0f)
        return {ViewSegment{arrow.to, arrow.to}, ViewSegment{arrow.to, arrow.to}};
    const float ux = dx / length, uy = dy / length;
    std::array<ViewSegment, 2> strokes;
    for (int side = 0; side < 2; ++side) {
        const float angle = side == 0 ? kHeadAngle : -kHeadAngle;
        const float c = std::cos(angle), s = std::sin(angle);
        const ViewPoint end{
            arrow.to.x + static_cast<int>(std::lround((ux * c - uy * s) * kHeadLength)),
            arrow.to.y + static_cast<int>(std::lround((ux * s + uy * c) * kHeadLength))};
        strokes[side] = ViewSegment{arrow.to, end};
    }
    return strokes;
}
