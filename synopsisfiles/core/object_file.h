// The object file (.obi): per detected object, its identity, its frame span
// and one box per frame. The parser reads a whole file held in memory; the
// extractor turns loaded objects into a track like the tube file's.
#pragma once

#include "obi_packers.h"
#include "track_box.h"

#include <cstdint>
#include <memory>
#include <vector>

struct ObiFrame {
    int32_t frameNumber = 0;
    int32_t state = 0;
    int16_t mark = -1;
    uint16_t x = 0, y = 0, w = 0, h = 0;
};

// A loaded object. The state and mark fields are set at load and not read
// in this system; attr0 and attr1 are carried from the file uninterpreted.
struct ObiObject {
    int32_t objectId = 0;
    int32_t tubeId = 0;
    int32_t firstFrame = 0;
    int32_t state0 = 0;
    int32_t mark0 = -1, mark1 = -1;
    int32_t attr0 = 0, attr1 = 0;
    int32_t lastFrame = 0; // firstFrame + frameCount - 1
    int32_t state1 = 0;
    int32_t mark2 = -1, mark3 = -1, mark4 = -1, mark5 = -1;
    int32_t frameCount = 0;
    int32_t frameWidth = 0, frameHeight = 0;
    std::vector<ObiFrame> frames;
};

using ObiObjectList = std::vector<std::unique_ptr<ObiObject>>;

// Parses a whole object file. On kObiOk, objects holds count objects in file
// order; on any other code, objects is empty and count is 0. The whole file
// is rejected (kObiBadData) when anything is inconsistent: wrong magic, a
// count that the bytes cannot hold, a block that is not where the location
// table says or does not follow the previous one, an empty box or a box that
// leaves the analysed frame.
int32_t ParseObjectFile(const uint8_t* buffer, size_t size, ObiObjectList& objects, int32_t& count);

// Deletes every object with its frames and leaves the list empty.
void FreeObjects(ObiObjectList& objects, int32_t& count);

// Empties track, then appends, for every object stored under (objectId,
// tubeId) in load order, each of its frames with frameOffset added, then the
// closing record.
void ExtractObjectTrack(const ObiObjectList& objects, int32_t objectId, int32_t tubeId,
                        Track& track, int32_t frameOffset);
