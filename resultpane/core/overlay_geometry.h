// Where the frame overlays draw: corner brackets, time labels, the followed
// object's box and its three styles, and how a click in the video window
// maps to picture pixels. All in picture pixels; coordinates that come from
// outside (metadata, track files) are taken as they are and computed in 64
// bits, so no value can overflow.
#pragma once

#include "track_box.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct OverlayPoint {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const OverlayPoint&) const = default;
};
struct OverlaySegment {
    OverlayPoint from, to;
    bool operator==(const OverlaySegment&) const = default;
};
struct OverlayRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t Width() const { return right - left; }
    int64_t Height() const { return bottom - top; }
};

// The top a box is drawn at: five pixels above its own top, unless that would
// leave the picture.
int64_t DrawnTop(int64_t top);

// The eight strokes of corner brackets around a box of width w and height h
// with its top-left corner at (x, top): arms of a fifth of each side, in the
// order top-left, top-right, right side down, bottom right to left, left side
// up.
std::array<OverlaySegment, 8> CornerBrackets(int64_t x, int64_t top, int64_t w, int64_t h);

// Whole seconds of a source frame at a frame rate, 0 when the rate is not a
// positive number or the result is not one.
int64_t SourceSecondsOf(uint64_t sourceFrame, double frameRate);
// "HH:MM:SS" of the source time of a frame.
std::wstring SourceTimeLabel(uint64_t sourceFrame, double frameRate);

// The label's top-left corner: below the box (at y + h), or at (x + 2, y)
// when it would reach past the picture's bottom; moved left to end at the
// picture's right edge when it would reach past it.
OverlayPoint TimeLabelPlace(int64_t x, int64_t y, int64_t h, int64_t labelWidth,
                            int64_t labelHeight, int64_t frameWidth, int64_t frameHeight);

// The labels' font: 15 points above a picture width of 352, else 8 points.
int TimeLabelPointSize(int frameWidth);

// The followed object's box in a picture of width x height, scaled from the
// analysed frame the record gives it in, its top (not its bottom) raised by
// DrawnTop. Nothing
// for a record without a reference size, or a box with no area.
std::optional<OverlayRect> TrackBoxRect(const TrackBox& box, uint32_t width, uint32_t height);

// Which record of a track to draw for frame f: the track starts at its first
// record's frame and has one record per frame; nothing before its start or
// past its last record (the closing record, which draws nothing).
const TrackBox* TrackRecordFor(const Track& track, int32_t frame);

enum class TrackStyle : int32_t { kCornerBrackets = 0, kEllipse = 1, kCentreCross = 2 };
// The two strokes of a cross at the centre of the largest square centred in
// the rectangle, each arm a fifth of the square's side.
std::array<OverlaySegment, 2> CentreCross(const OverlayRect& rect);

// A point of the window's client area in picture pixels; nothing while the
// window or the picture has no size.
std::optional<OverlayPoint> ClientToPicture(int64_t x, int64_t y, int64_t clientWidth,
                                            int64_t clientHeight, int64_t videoWidth,
                                            int64_t videoHeight);
