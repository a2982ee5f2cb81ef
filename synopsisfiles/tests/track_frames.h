// The frame numbers of a track, closing record included: a compact way to
// state which boxes a track holds and in what order.
#pragma once

#include "track_box.h"

#include <vector>

inline std::vector<int32_t> Frames(const Track& track) {
    std::vector<int32_t> frames;
    for (const TrackBox& box : track)
        frames.push_back(box.frame);
    return frames;
}
