// Arithmetic of the drawing view: where a picture goes in its area, on which
// side of a tripwire a click lies, and the direction arrows.
#pragma once

#include <array>

struct ViewPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ViewPoint&) const = default;
};

struct ViewRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ViewRect&) const = default;
};

// The picture scaled to fit the area with its aspect ratio kept, centred
// (single-precision scale, sizes truncated, offsets halved in integers).
ViewRect FitPicture(int pictureWidth, int pictureHeight, const ViewRect& area);

// Whether a click lies on side A of the line p1 -> p2: the slope from p1 to
// the click is smaller than the line's slope (single-precision quotients).
// Where a quotient has no value (a vertical line, or a click straight above
// or below p1) the click is on side A when the cross product
// (p2 - p1) x (click - p1) is negative: the side the slope rule gives clicks
// just right of p1, so the answer does not jump there.
bool IsClickOnSideA(ViewPoint p1, ViewPoint p2, ViewPoint click);

// The direction after a click on side A or B: from 0, A gives 1 and B -1;
// from 1, A gives 0 and B -1; from -1, A gives 1 and B 0.
int NextCrossDirection(int current, bool sideA);

struct ViewSegment {
    ViewPoint from;
    ViewPoint to; // the arrow's tip
};

// The two direction arrows across a tripwire (arrow 1 near p1, arrow 2 near
// p2, pointing the opposite way), each clipped to a client area of the given
// size.
std::array<ViewSegment, 2> TripwireArrows(ViewPoint p1, ViewPoint p2, int clientWidth,
                                          int clientHeight);

// The two 10-pixel strokes of an arrow head at the segment's tip, 35 degrees
// to either side of the way back along the segment.
std::array<ViewSegment, 2> ArrowHead(const ViewSegment& arrow);
