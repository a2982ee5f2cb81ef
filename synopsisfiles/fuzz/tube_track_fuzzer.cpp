// Tube walk over arbitrary bytes. The input is 12 bytes of request (objectId,
// tubeId, frame offset; little-endian) followed by the file.
#include "little_endian.h"
#include "tube_track.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 12)
        return 0;
    const int32_t objectId = LoadI32(data);
    const int32_t tubeId = LoadI32(data + 4);
    const int32_t frameOffset = LoadI32(data + 8);
    Track track;
    const int result =
        ExtractTubeTrack({data + 12, size - 12}, objectId, tubeId, track, frameOffset);
    // A track always ends with its closing record; a failure leaves it empty.
    if (result == 1 ? track.empty() || track.back().refWidth != 1 : !track.empty())
        std::abort();
    // Every box comes from a 10-byte item of the file, walked at most once
    // for each time the file holds its bytes.
    if (track.size() > 1 && (track.size() - 1) * 10 > size)
        std::abort();
    return 0;
}
