// The per-frame box of one followed object, as the track overlay draws it.
// Both the tube-file and the object-file extractors produce a track: the boxes
// in file order, then one closing record.
#pragma once

#include <cstdint>
#include <vector>

struct TrackBox {
    int32_t frame = 0; // the player's numbering: the file's frame plus the caller's offset
    uint16_t refWidth = 0;
    uint16_t refHeight = 0; // the analysed frame the box is given in
    uint16_t x = 0, y = 0, w = 0, h = 0;

    bool operator==(const TrackBox&) const = default;
};
static_assert(sizeof(TrackBox) == 16, "a track record is 16 bytes");

using Track = std::vector<TrackBox>;

// The record that ends a tube-file track: frame 0 in a 1x1 reference frame.
inline constexpr TrackBox kTubeTrackEnd{0, 1, 1, 0, 0, 0, 0};
// The record that ends an object-file track: all zero.
inline constexpr TrackBox kObjectTrackEnd{};

// frameNumber + frameOffset with two's-complement wrap-around, so hostile frame
// numbers cannot overflow a signed addition.
inline int32_t OffsetFrame(int32_t frameNumber, int32_t frameOffset) {
    return static_cast<int32_t>(static_cast<uint32_t>(frameNumber) +
                                static_cast<uint32_t>(frameOffset));
}
