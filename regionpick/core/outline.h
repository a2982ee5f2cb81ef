// The operator's outline of the target: vertices clicked on the shown
// picture, kept relative to it (0..1 across its width and height) so that
// they stay on the same picture pixels when the picture is shown at another
// size, and scale to the full-resolution picture.
#pragma once

#include <vector>

struct NormalizedPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const NormalizedPoint&, const NormalizedPoint&) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

class Outline {
public:
    // No vertices, not outlining (a new picture).
    void Reset();
    // No vertices, outlining.
    void Start();
    // Drops the vertices; outlining goes on, the next click starts anew.
    void Clear();

    bool IsSelecting() const { return m_bSelecting; }
    const std::vector<NormalizedPoint>& Points() const { return m_points; }
    // The first vertex in pixels of the shown picture; (-1, -1) when none.
    PixelPoint First() const { return m_ptFirst; }

    // A click at (a, b) on the picture shown width x height, relative to its
    // top-left corner. Appends the vertex; returns true when the click was
    // within one pixel of the first vertex from the second vertex on, which
    // closes the outline and ends outlining. Ignored unless outlining.
    bool AddClick(int a, int b, int width, int height);
    // True when (a, b) lies within one pixel of the first vertex both ways.
    bool IsNearFirst(int a, int b) const;

    // A vertex in pixels on the picture shown width x height.
    static PixelPoint ToPixels(const NormalizedPoint& point, int width, int height);
    // The picture is now shown width x height: the first vertex follows.
    void Rescale(int width, int height);

private:
    std::vector<NormalizedPoint> m_points;
    PixelPoint m_ptFirst{-1, -1};
    bool m_bSelecting = false;
};
