// Loading one object's track from a tube file on disk.
#pragma once

#include "track_box.h"

#include <cstdint>
#include <string>

// Maps the file read-only (exclusively, for the duration of the call) and
// extracts the track of objectId in tube tubeId, frames shifted by
// frameOffset (see ExtractTubeTrack). Returns 1, or 0 with track empty when
// the file cannot be opened (a diagnostic line says so), cannot be mapped, or
// is not a tube file.
int LoadTubeTrack(const std::wstring& path, int32_t objectId, int32_t tubeId, Track& track,
                  int32_t frameOffset);
