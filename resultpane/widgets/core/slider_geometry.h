// Where the skinned slider puts its thumb and played part, and which
// position a click selects.
#pragma once

#include <cstdint>

// The position a click at client x selects on a slider whose channel is
// channelWidth pixels wide and whose range ends at rangeMax: x / channelWidth
// rounded to single precision, times rangeMax, truncated. A click beyond the
// channel gives a position beyond the range (the trackbar clamps it); an
// empty channel selects 0.
int32_t SliderPositionAt(int32_t x, int32_t channelWidth, int32_t rangeMax);

// The played part reaches just past the thumb's left edge.
int32_t PlayedPartRight(int32_t thumbLeft);

// Top-left corner of the thumb picture: left of the thumb's left edge, and
// vertically centred in the control (truncating).
struct PicturePlace {
    int32_t x;
    int32_t y;
};
PicturePlace ThumbPicturePlace(int32_t thumbLeft, int32_t clientHeight, int32_t pictureHeight);
