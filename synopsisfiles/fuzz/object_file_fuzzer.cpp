// Object-file parsing over arbitrary bytes, and the track of the first
// object loaded.
#include "object_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObiObjectList objects;
    int32_t count = -1;
    const int32_t result = ParseObjectFile(data, size, objects, count);
    if (result != kObiOk) {
        if (!objects.empty() || count != 0)
            std::abort();
        return 0;
    }
    if (count < 0 || static_cast<size_t>(count) != objects.size())
        std::abort();
    for (const auto& object : objects)
        for (const ObiFrame& frame : object->frames)
            if (frame.w == 0 || frame.h == 0 || frame.x + frame.w > object->frameWidth ||
                frame.y + frame.h > object->frameHeight)
                std::abort();
    if (!objects.empty()) {
        Track track;
        ExtractObjectTrack(objects, objects[0]->objectId, objects[0]->tubeId, track, 0);
        if (track.size() < objects[0]->frames.size() + 1)
            std::abort();
    }
    FreeObjects(objects, count);
    return 0;
}
