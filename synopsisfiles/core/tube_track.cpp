#include "tube_track.h"

#include "little_endian.h"
#include "synopsis_layout.h"

#include <algorithm>
#include <cstring>

namespace {

// Unsigned copies of the record sizes, for the walk's unsigned arithmetic.
constexpr uint64_t kHeaderSize = kTubeHeaderSize;
constexpr uint64_t kIndexEntrySize = kTubeIndexEntrySize;
constexpr uint64_t kBlockHeaderSize = kTubeBlockHeaderSize;
constexpr uint64_t kFrameHeaderSize = kTubeFrameHeaderSize;
constexpr uint64_t kItemSize = kTubeItemSize;

struct TubeWalk {
    const uint8_t* block; // the block's first byte
    uint64_t end;         // the walk stays below this: block length or end of file
    uint32_t frameCount;  // frame records the block claims
    uint16_t objectId;    // the item value that matches
    TrackBox reference;   // refWidth and refHeight of every appended record
    int32_t frameOffset;
};

// Appends the matching items of one tube block, stopping at the first frame
// record that would cross the walk's end. Every record walked is paid for from
// budget; returns false when the budget runs out.
bool WalkTube(const TubeWalk& walk, uint64_t& budget, Track& track) {
    uint64_t position = kBlockHeaderSize;
    for (uint32_t frame = 0; frame < walk.frameCount && position < walk.end; ++frame) {
        if (walk.end - position < kFrameHeaderSize)
            return true;
        const uint8_t* record = walk.block + position;
        const int32_t frameNumber = LoadI32(record);
        const uint16_t itemCount = LoadU16(record + 4);
        const uint64_t recordSize = kFrameHeaderSize + kItemSize * itemCount;
        if (walk.end - position < recordSize)
            return true;
        if (budget < recordSize)
            return false;
        budget -= recordSize;
        const uint8_t* item = record + kFrameHeaderSize;
        for (uint16_t i = 0; i < itemCount; ++i, item += kItemSize) {
            if (LoadU16(item) != walk.objectId)
                continue;
            TrackBox box = walk.reference;
            box.frame = OffsetFrame(frameNumber, walk.frameOffset);
            box.x = LoadU16(item + 2);
            box.y = LoadU16(item + 4);
            box.w = LoadU16(item + 6);
            box.h = LoadU16(item + 8);
            track.push_back(box);
        }
        position += recordSize;
    }
    return true;
}

} // namespace

int ExtractTubeTrack(std::span<const uint8_t> file, int32_t objectId, int32_t tubeId, Track& track,
                     int32_t frameOffset) {
    track.clear();
    const uint8_t* data = file.data();
    const uint64_t size = file.size();
    if (size < kHeaderSize || std::memcmp(data, "ASTI", 4) != 0)
        return 0;

    TrackBox reference;
    reference.refWidth = LoadU16(data + 6);
    reference.refHeight = LoadU16(data + 8);
    const int32_t tubeCount = LoadI32(data + 10);
    // Items carry 16-bit object numbers: a wider identifier matches none.
    const bool objectFits = objectId >= 0 && objectId <= 0xFFFF;
    // Blocks of a well-formed file do not overlap, so the walk never covers
    // more bytes than the file holds. Index entries that point at the same
    // bytes again and again would otherwise make the walk and the track grow
    // with the square of the file's size.
    uint64_t budget = size;

    for (int32_t i = 0; objectFits && i < tubeCount; ++i) {
        const uint64_t entry = kHeaderSize + kIndexEntrySize * static_cast<uint64_t>(i);
        if (entry > size || size - entry < kIndexEntrySize)
            break;
        // The whole 64-bit offset is used: an offset whose high half is set
        // lies outside any file we can map, and is skipped rather than
        // wrapped to its low 32 bits at some unrelated place in the file.
        const int64_t blockOffset = LoadI64(data + entry + 4);
        const int64_t blockLength = LoadI64(data + entry + 12);
        if (blockOffset < 0 || static_cast<uint64_t>(blockOffset) > size ||
            size - static_cast<uint64_t>(blockOffset) < kBlockHeaderSize)
            continue;
        const uint8_t* block = data + blockOffset;
        if (LoadI32(block) != tubeId || blockLength <= static_cast<int64_t>(kBlockHeaderSize))
            continue;

        TubeWalk walk;
        walk.block = block;
        walk.end = std::min(static_cast<uint64_t>(blockLength), size - blockOffset);
        walk.frameCount = LoadU32(block + 16);
        walk.objectId = static_cast<uint16_t>(objectId);
        walk.reference = reference;
        walk.frameOffset = frameOffset;
        if (!WalkTube(walk, budget, track))
            break;
    }
    track.push_back(kTubeTrackEnd);
    return 1;
}
