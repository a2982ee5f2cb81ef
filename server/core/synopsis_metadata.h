// The metadata block the media service attaches to every frame of a synopsis
// video: one record per object drawn in that frame, so the player can draw
// each object's source time stamp and map a click to the object.
//
// Every integer is big-endian. Header (16 bytes):
//   0  u32 block version, 1 (readers ignore blocks whose value exceeds 10000)
//   4  u32 number of object records
//   8  u32 synopsis frame the block belongs to
//   12 u32 frames per second of the source video
// Object record (80 bytes), frontmost object first:
//   0  u32 tube id                 4  u32 object id within the tube
//   8  u64 source frame shown      16 u64 first source frame of the object
//   24 u64 last source frame       32 u64 source time of the first frame, ms
//   40 u64 source time just after the last frame, ms
//   48 u32 number of source frames of the object
//   52 u32 x   56 u32 y   60 u32 width   64 u32 height   (picture pixels)
//   68 u32 kind: 1 person, 2 vehicle  72 u32 colour 0xRRGGBB  76 u32 zero
#pragma once

#include "sample_video.h"

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr size_t kMetadataHeaderSize = 16;
inline constexpr size_t kMetadataRecordSize = 80;
inline constexpr uint32_t kMetadataVersion = 1;

// The block for the frame at position index of a synopsis video.
std::vector<uint8_t> SynopsisMetadata(const SampleVideo& video, int32_t index);
