#include "target_mask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

int ClampScaled(double value) {
    if (std::isnan(value))
        return 0;
    value = std::clamp(value, -static_cast<double>(kMaskCoordinateLimit),
                       static_cast<double>(kMaskCoordinateLimit));
    return static_cast<int>(value); // truncation toward zero
}

int64_t Clamped(int value) {
    return std::clamp(value, -kMaskCoordinateLimit, kMaskCoordinateLimit);
}

// The smallest integer not less than numerator / denominator (denominator > 0).
int64_t CeilDiv(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return numerator % denominator > 0 ? quotient + 1 : quotient;
}

} // namespace

std::vector<PixelPoint> ScaleOutlineToPicture(std::span<const NormalizedPoint> outline, int width,
                                              int height) {
    std::vector<PixelPoint> polygon;
    polygon.reserve(outline.size());
    for (const NormalizedPoint& point : outline)
        polygon.push_back(PixelPoint{ClampScaled(point.x * width), ClampScaled(point.y * height)});
    return polygon;
}

MaskBox PolygonBounds(std::span<const PixelPoint> polygon) {
    if (polygon.empty())
        return MaskBox{};
    int64_t minX = Clamped(polygon[0].x), maxX = minX;
    int64_t minY = Clamped(polygon[0].y), maxY = minY;
    for (const PixelPoint& point : polygon) {
        minX = std::min(minX, Clamped(point.x));
        maxX = std::max(maxX, Clamped(point.x));
        minY = std::min(minY, Clamped(point.y));
        maxY = std::max(maxY, Clamped(point.y));
    }
    return MaskBox{static_cast<int>(minX), static_cast<int>(minY), static_cast<int>(maxX - minX),
                   static_cast<int>(maxY - minY)};
}

TargetArea ChooseTargetArea(std::span<const PixelPoint> polygon, int width, int height) {
    const MaskBox whole{0, 0, std::max(width, 0), std::max(height, 0)};
    if (polygon.empty())
        return TargetArea{whole, true};
    const MaskBox bounds = PolygonBounds(polygon);
    const int left = std::max(bounds.x, 0);
    const int top = std::max(bounds.y, 0);
    const int right = static_cast<int>(std::min<int64_t>(int64_t{bounds.x} + bounds.width, width));
    const int bottom =
        static_cast<int>(std::min<int64_t>(int64_t{bounds.y} + bounds.height, height));
    if (right <= left || bottom <= top)
        return TargetArea{whole, true};
    return TargetArea{MaskBox{left, top, right - left, bottom - top}, false};
}

MaskScanner::MaskScanner(std::span<const PixelPoint> polygon) {
    const size_t count = polygon.size();
    for (size_t i = 0; i < count; ++i) {
        const PixelPoint& from = polygon[i];
        const PixelPoint& to = polygon[(i + 1) % count]; // closed implicitly
        int64_t x1 = Clamped(from.x), y1 = Clamped(from.y);
        int64_t x2 = Clamped(to.x), y2 = Clamped(to.y);
        if (y1 == y2)
            continue;
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        m_edges.push_back(Edge{x1, y1, x2 - x1, y2});
    }
    std::sort(m_edges.begin(), m_edges.end(),
              [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });
}

void MaskScanner::Restart() {
    m_nextEdge = 0;
    m_active.clear();
}

void MaskScanner::FillRow(int y, int left, std::span<uint8_t> row) {
    std::memset(row.data(), 0, row.size());
    if (y < m_lastRow)
        Restart();
    m_lastRow = y;

    // Edges whose rows have begun join; those whose rows have ended leave.
    while (m_nextEdge < m_edges.size() && m_edges[m_nextEdge].yTop <= y)
        m_active.push_back(&m_edges[m_nextEdge++]);
    std::erase_if(m_active, [y](const Edge* edge) { return edge->yBottom <= y; });

    // Where each edge crosses the row, rounded up to a whole column: pixel x
    // lies right of (or on) the edge exactly when x >= that column.
    m_crossings.clear();
    for (const Edge* edge : m_active) {
        const int64_t rows = edge->yBottom - edge->yTop;
        m_crossings.push_back(edge->xTop + CeilDiv((y - edge->yTop) * edge->dx, rows));
    }
    std::sort(m_crossings.begin(), m_crossings.end());

    // Odd crossings to the left mean inside: between the 1st and 2nd
    // crossing, the 3rd and 4th, and so on.
    const int64_t rowLeft = left;
    const int64_t rowRight = rowLeft + static_cast<int64_t>(row.size());
    for (size_t i = 0; i + 1 < m_crossings.size(); i += 2) {
        const int64_t from = std::max(m_crossings[i], rowLeft);
        const int64_t to = std::min(m_crossings[i + 1], rowRight);
        if (from < to)
            std::memset(row.data() + (from - rowLeft), 0xFF, static_cast<size_t>(to - from));
    }
}

std::vector<uint8_t> FillPolygonMask(std::span<const PixelPoint> polygon, const MaskBox& box) {
    if (box.Empty())
        return {};
    const size_t width = static_cast<size_t>(box.width);
    std::vector<uint8_t> mask(width * static_cast<size_t>(box.height));
    MaskScanner scanner(polygon);
    for (int row = 0; row < box.height; ++row)
        scanner.FillRow(box.y + row, box.x, std::span<uint8_t>(mask.data() + row * width, width));
    return mask;
}
