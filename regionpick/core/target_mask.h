// The target's mask at full resolution: the outline scaled to the picture,
// its bounding box, and an even-odd scanline fill of the polygon that gives,
// pixel for pixel, what the graphics library paints when it fills the same
// polygon without anti-aliasing.
//
// Pixel rule: pixel (x, y) is inside when the number of polygon edges that
// cross row y at or left of x is odd. An edge crosses the rows from its upper
// end (included) to its lower end (excluded); horizontal edges cross none.
// The box therefore holds every pixel that can be inside: columns from the
// smallest vertex x up to (not including) the largest, rows likewise.
#pragma once

#include "outline.h"

#include <cstdint>
#include <span>
#include <vector>

struct MaskBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const MaskBox&, const MaskBox&) = default;
};

// Vertex coordinates are kept within this magnitude so that the fill's
// arithmetic cannot overflow; pictures are far smaller.
inline constexpr int kMaskCoordinateLimit = 1 << 28;

// The outline's vertices on a picture of width x height:
// (trunc(x * width), trunc(y * height)), in click order.
std::vector<PixelPoint> ScaleOutlineToPicture(std::span<const NormalizedPoint> outline, int width,
                                              int height);

// The polygon's integer bounding rectangle: smallest x and y, and the
// distances to the largest. Empty polygon: all zero.
MaskBox PolygonBounds(std::span<const PixelPoint> polygon);

// What the target files describe on a picture of width x height.
struct TargetArea {
    MaskBox box;       // the part of the picture the files cover
    bool wholePicture; // no outline: the whole picture is the target, all inside
};
// The polygon's bounds within the picture; the whole picture when there is
// no polygon or its bounds cover no pixel of the picture.
TargetArea ChooseTargetArea(std::span<const PixelPoint> polygon, int width, int height);

// Fills mask rows of a polygon one after the other, top to bottom.
class MaskScanner {
public:
    explicit MaskScanner(std::span<const PixelPoint> polygon);

    // Writes row y for the columns [left, left + row.size()): 0xFF inside,
    // 0x00 outside. Rows are asked for in increasing order (a smaller y than
    // the last starts the walk over).
    void FillRow(int y, int left, std::span<uint8_t> row);

private:
    struct Edge {
        int64_t xTop, yTop;  // upper end (first row crossed)
        int64_t dx, yBottom; // lower end: xTop + dx, yBottom (not crossed)
    };
    void Restart();

    std::vector<Edge> m_edges; // sorted by yTop
    size_t m_nextEdge = 0;
    std::vector<const Edge*> m_active;
    std::vector<int64_t> m_crossings;
    int64_t m_lastRow = INT64_MIN;
};

// The mask of box: box.height rows of box.width bytes, top row first.
std::vector<uint8_t> FillPolygonMask(std::span<const PixelPoint> polygon, const MaskBox& box);
