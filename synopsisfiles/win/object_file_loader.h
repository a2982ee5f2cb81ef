// Loading object files from disk, and one object's track through a
// process-wide cache of the last file loaded.
#pragma once

#include "object_file.h"

#include <cstdint>
#include <string>

// Reads the whole file at path (ANSI code page) and parses it. Returns a
// result code of ParseObjectFile, kObiOutOfMemory when the file does not fit
// in memory, kObiSeekFailed when it cannot be rewound, and kObiBadData when
// it cannot be opened or does not read whole (an empty file included).
int32_t ReadObjectFile(const char* path, ObiObjectList& objects, int32_t& count);

// Fills track with the boxes of the object stored under (objectId, tubeId)
// in the object file at path, frames shifted by frameOffset, and returns 1;
// returns 0 with track empty when the file cannot be loaded.
//
// The objects of the last file loaded are kept for the process and reused
// while the same path (compared exactly) is asked for, so a file replaced on
// disk under the same name is not read again. Safe to call from several
// threads: one caller at a time uses the cache.
int LoadObjectTrack(const std::wstring& path, int32_t objectId, int32_t tubeId, Track& track,
                    int32_t frameOffset);
