#include "synopsis_objects.h"

#include "big_endian.h"

#include <cmath>
#include <limits>

std::vector<SynopsisObject> ParseSynopsisObjects(std::span<const uint8_t> block) {
    std::vector<SynopsisObject> objects;
    if (block.size() < kSynopsisHeaderSize)
        return objects;
    BigEndianReader header(block.first(kSynopsisHeaderSize));
    if (header.U32() > kSynopsisMaxBlockCheck)
        return objects;
    const uint32_t count = header.U32();
    const size_t whole = (block.size() - kSynopsisHeaderSize) / kSynopsisRecordSize;
    const size_t records = count < whole ? count : whole;
    objects.reserve(records);
    BigEndianReader r(block.subspan(kSynopsisHeaderSize, records * kSynopsisRecordSize));
    for (size_t i = 0; i < records; ++i) {
        SynopsisObject o;
        o.tubeid = r.U32();
        o.compid = r.U32();
        o.sourceFrame = r.U64();
        o.segmentStart = r.U64();
        o.value24 = r.U64();
        o.startTimeMs = r.U64();
        o.value40 = r.U64();
        o.segmentLength = r.U32();
        o.x = r.U32();
        o.y = r.U32();
        o.w = r.U32();
        o.h = r.U32();
        o.value68 = r.U32();
        o.value72 = r.U32();
        r.U32(); // not read
        objects.push_back(o);
    }
    return objects;
}

const SynopsisObject* FindObjectAt(const std::vector<SynopsisObject>& objects, uint64_t x,
                                   uint64_t y) {
    for (const SynopsisObject& o : objects) {
        // 64-bit sums: a box near the top of the 32-bit range must not wrap.
        if (o.x <= x && x < uint64_t{o.x} + o.w && o.y <= y && y < uint64_t{o.y} + o.h)
            return &o;
    }
    return nullptr;
}

int32_t FrameOffsetOf(const SynopsisObject& object, float frameRate) {
    const double frame = static_cast<double>(object.startTimeMs) / 1000.0 * frameRate;
    // Outside input: a frame that no int32 holds (or no number at all) counts as 0.
    int64_t whole = 0;
    if (std::isfinite(frame) && std::fabs(frame) < 2147483648.0)
        whole = static_cast<int64_t>(frame);
    return static_cast<int32_t>(static_cast<uint32_t>(whole) -
                                static_cast<uint32_t>(object.segmentStart));
}
