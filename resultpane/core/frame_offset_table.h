// The frame offset of each task: the number added to the frame numbers of a
// task's tube and object files to place them on its source video. One table
// for the whole process, shared by every viewer in it; the snapshot browser
// and a double-click in the synopsis write it, the track worker reads it from
// its own thread.
#pragma once

#include <cstdint>

namespace FrameOffsetTable {

// The task's offset; a task not seen before is entered with 0.
int32_t Lookup(int32_t flowNumber);
void Set(int32_t flowNumber, int32_t offset);

} // namespace FrameOffsetTable
