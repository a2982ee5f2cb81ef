// The mask pixel rule checked one pixel at a time, with exact integer
// comparisons and no scanline bookkeeping: the reference the scanline fill is
// measured against.
#pragma once

#include "target_mask.h"

#include <cstdint>
#include <span>
#include <vector>

inline bool ReferenceInside(std::span<const PixelPoint> polygon, int x, int y) {
    bool inside = false;
    const size_t count = polygon.size();
    for (size_t i = 0; i < count; ++i) {
        int64_t x1 = polygon[i].x, y1 = polygon[i].y;
        int64_t x2 = polygon[(i + 1) % count].x, y2 = polygon[(i + 1) % count].y;
        if (y1 == y2)
            continue;
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        if (y < y1 || y >= y2)
            continue;
        // The edge crosses row y at x1 + (y - y1) * (x2 - x1) / (y2 - y1);
        // count it when that is at or left of x.
        if ((y - y1) * (x2 - x1) <= (x - x1) * (y2 - y1))
            inside = !inside;
    }
    return inside;
}

inline std::vector<uint8_t> ReferenceMask(std::span<const PixelPoint> polygon, const MaskBox& box) {
    std::vector<uint8_t> mask;
    mask.reserve(static_cast<size_t>(box.width) * box.height);
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            mask.push_back(ReferenceInside(polygon, x, y) ? 0xFF : 0x00);
    return mask;
}
