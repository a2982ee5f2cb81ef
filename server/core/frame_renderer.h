// Pictures of a sample video, as the media service streams them: the plain
// background with every visible object drawn as a box in its colour with a
// darker rim, back to front.
#pragma once

#include "sample_video.h"

#include <cstdint>
#include <vector>

// The rim drawn around every object, in pixels.
inline constexpr int kObjectRim = 2;
// The darker shade of an object's colour its rim is drawn in.
uint32_t RimColorOf(uint32_t color);

// The picture at position index in the video's picture format: planar YUV
// 4:2:0 (I420), or 32-bit BGRA with the bottom row first. A position outside
// the video gives the bare background.
std::vector<uint8_t> RenderFrame(const SampleVideo& video, int32_t index);
