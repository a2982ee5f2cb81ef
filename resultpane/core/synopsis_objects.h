// The objects a synopsis frame carries: the server attaches a big-endian
// metadata block to every frame of a synopsis video, one 80-byte record per
// object shown in it.
//
// Block: u32 check (a block whose value exceeds 10000 is ignored whole), u32
// number of records, 8 bytes the viewer does not read, then the records.
// Record: u32 tubeid, u32 compid, u64 sourceFrame, u64 segmentStart, u64
// value24, u64 startTimeMs, u64 value40, u32 segmentLength, u32 x, y, w, h,
// u32 value68, u32 value72, 4 bytes not read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct SynopsisObject {
    uint32_t tubeid = 0;
    uint32_t compid = 0;
    uint64_t sourceFrame = 0;  // source frame shown; the time label is this over the frame rate
    uint64_t segmentStart = 0; // first source frame of the object
    uint64_t value24 = 0;
    uint64_t startTimeMs = 0; // source time of segmentStart
    uint64_t value40 = 0;
    uint32_t segmentLength = 0; // source frames of the object
    uint32_t x = 0, y = 0, w = 0, h = 0;
    uint32_t value68 = 0;
    uint32_t value72 = 0;
};

inline constexpr size_t kSynopsisHeaderSize = 16;
inline constexpr size_t kSynopsisRecordSize = 80;
inline constexpr uint32_t kSynopsisMaxBlockCheck = 10000;

// The records of a block in host order. The block comes from outside: only
// records that lie whole within its bytes are read, whatever its count says.
// Nothing for a block that is too short for its header or whose check value
// exceeds 10000.
std::vector<SynopsisObject> ParseSynopsisObjects(std::span<const uint8_t> block);

// The first object whose box holds the picture point, in block order; null
// when none does.
const SynopsisObject* FindObjectAt(const std::vector<SynopsisObject>& objects, uint64_t x,
                                   uint64_t y);

// The task's frame offset that a hit on the object implies: the source frame
// of its start time at frameRate, less its first frame (low 32 bits, wrapping).
int32_t FrameOffsetOf(const SynopsisObject& object, float frameRate);
