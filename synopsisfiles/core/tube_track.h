// The tube file (.tbi): for every tube, the frames in which it is present and
// per frame the box of every object in it. The extractor walks a whole file
// held in memory (a mapping, usually) and collects one object's track.
#pragma once

#include "track_box.h"

#include <cstdint>
#include <span>

// Empties track, then appends in file order (tube by tube, frame by frame,
// item by item) every box whose block carries tubeId and whose item carries
// objectId, with frameOffset added to its frame, then the closing record.
// Returns 1, or 0 with track empty when the file is not a tube file.
//
// Counts and offsets come from outside and are not trusted: an index entry,
// block header or frame record that does not fit in the file, or a frame
// record that does not fit in its block, ends the walk of that index or tube.
// The walk covers at most as many record bytes as the file holds, so index
// entries that all point at one block cannot multiply the work and the track.
int ExtractTubeTrack(std::span<const uint8_t> file, int32_t objectId, int32_t tubeId, Track& track,
                     int32_t frameOffset);
