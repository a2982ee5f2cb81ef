// The outline the mask benchmarks fill: a wavy closed curve of many vertices
// filling most of a 4000 x 3000 picture.
#pragma once

#include "outline.h"

#include <cmath>
#include <vector>

inline constexpr int kBenchWidth = 4000;
inline constexpr int kBenchHeight = 3000;

inline std::vector<PixelPoint> ManySidedOutline(int vertices) {
    std::vector<PixelPoint> polygon;
    const double pi = std::acos(-1.0);
    for (int k = 0; k < vertices; ++k) {
        const double angle = 2 * pi * k / vertices;
        const double radius = 0.8 + 0.2 * std::sin(angle * 37);
        polygon.push_back(PixelPoint{static_cast<int>(2000 + 1990 * radius * std::cos(angle)),
                                     static_cast<int>(1500 + 1490 * radius * std::sin(angle))});
    }
    return polygon;
}
