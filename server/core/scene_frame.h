// What one frame of a sample video shows: the objects present in it, where,
// and which source-video frame each of them comes from. The renderer and the
// synopsis metadata both start from this, so the picture and the metadata
// always describe the same boxes.
#pragma once

#include "sample_video.h"

#include <cstdint>
#include <vector>

struct FrameObject {
    const SceneObject* object = nullptr;
    int32_t sourceFrame = 0; // the source-video frame the object is shown at
    Box box;                 // in picture pixels, clipped to the picture
};

// The objects visible in the frame at position index (0 = the video's first
// frame), the frontmost first: objects earlier in the video's list are drawn
// over later ones. Objects wholly outside the picture are left out.
std::vector<FrameObject> ObjectsInFrame(const SampleVideo& video, int32_t index);

// A synopsis places its objects at synopsis frames of their own; a source
// video shows them at their own frame numbers.
bool IsSynopsis(const SampleVideo& video);
