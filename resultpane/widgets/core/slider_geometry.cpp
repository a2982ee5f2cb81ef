#include "slider_geometry.h"

#include <cmath>
#include <limits>

int32_t SliderPositionAt(int32_t x, int32_t channelWidth, int32_t rangeMax) {
    if (channelWidth <= 0)
        return 0;
    // Both operands are exact in double, so the quotient rounds once to double
    // and then to single precision as the control has always done it.
    const float fraction = static_cast<float>(static_cast<double>(x) / channelWidth);
    const double position = std::trunc(static_cast<double>(fraction) * rangeMax);
    // Far-off clicks must not overflow the conversion; the trackbar clamps anyway.
    if (position >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (position <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(position);
}

int32_t PlayedPartRight(int32_t thumbLeft) {
    return thumbLeft + 8;
}

PicturePlace ThumbPicturePlace(int32_t thumbLeft, int32_t clientHeight, int32_t pictureHeight) {
    return {thumbLeft - 7, (clientHeight - pictureHeight) / 2};
}
