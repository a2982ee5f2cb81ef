// Record sizes of the tube (.tbi) and object (.obi) files, shared by the
// writers and the readers. All integers are little-endian, records packed.
#pragma once

#include <cstdint>

// Tube file: header, index entries, then blocks of a header and frame records
// (a frame header followed by its items).
inline constexpr int64_t kTubeHeaderSize = 14;
inline constexpr int64_t kTubeIndexEntrySize = 20;
inline constexpr int64_t kTubeBlockHeaderSize = 20;
inline constexpr int64_t kTubeFrameHeaderSize = 6;
inline constexpr int64_t kTubeItemSize = 10;

// Object file: header, location entries, then blocks of an object-info
// record followed by its frame records.
inline constexpr int64_t kObiHeaderSize = 14;
inline constexpr int64_t kObiLocationSize = 24;
inline constexpr int64_t kObiInfoSize = 24;
inline constexpr int64_t kObiFrameSize = 12;
