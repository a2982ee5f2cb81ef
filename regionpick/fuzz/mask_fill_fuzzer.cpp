// The scanline fill against the one-pixel-at-a-time rule for arbitrary
// outlines and windows, and the target area for arbitrary outlines and
// picture sizes. Input: a header byte (bit 0: small coordinates, which make
// ties and shared rows likely), a window (x, y as int16; width, height 1..64)
// and then vertices, each two int8 or two int32 little-endian.
#include "mask_reference.h"
#include "target_mask.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

int32_t LoadI32(const uint8_t* data) {
    uint32_t value;
    std::memcpy(&value, data, 4);
    return static_cast<int32_t>(value);
}

int16_t LoadI16(const uint8_t* data) {
    uint16_t value;
    std::memcpy(&value, data, 2);
    return static_cast<int16_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 7)
        return 0;
    const bool small = (data[0] & 1) != 0;
    const MaskBox window{LoadI16(data + 1), LoadI16(data + 3), 1 + data[5] % 64, 1 + data[6] % 64};
    data += 7;
    size -= 7;

    std::vector<PixelPoint> polygon;
    const size_t step = small ? 2 : 8;
    for (size_t i = 0; i + step <= size && polygon.size() < 64; i += step) {
        if (small)
            polygon.push_back(
                PixelPoint{static_cast<int8_t>(data[i]), static_cast<int8_t>(data[i + 1])});
        else
            polygon.push_back(PixelPoint{LoadI32(data + i), LoadI32(data + i + 4)});
    }

    // The fill holds coordinates to the limit; the reference sees them held.
    std::vector<PixelPoint> held = polygon;
    for (PixelPoint& point : held) {
        point.x = std::clamp(point.x, -kMaskCoordinateLimit, kMaskCoordinateLimit);
        point.y = std::clamp(point.y, -kMaskCoordinateLimit, kMaskCoordinateLimit);
    }
    if (FillPolygonMask(polygon, window) != ReferenceMask(held, window))
        std::abort();

    // The target area always lies inside the picture and covers a pixel.
    const int width = window.width * 37, height = window.height * 23;
    const TargetArea area = ChooseTargetArea(polygon, width, height);
    if (area.box.Empty() || area.box.x < 0 || area.box.y < 0 ||
        area.box.x + area.box.width > width || area.box.y + area.box.height > height)
        std::abort();
    if (area.wholePicture && !(area.box == MaskBox{0, 0, width, height}))
        std::abort();
    return 0;
}
