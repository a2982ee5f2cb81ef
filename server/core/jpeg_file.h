// JPEG files of the sample server's pictures (snapshots of its videos).
#pragma once

#include "sample_video.h"

#include <cstdint>
#include <vector>

// The picture at position index of video as a baseline JPEG file (quality
// 90); empty when the encoder fails.
std::vector<uint8_t> SnapshotJpeg(const SampleVideo& video, int32_t index);

// Rows of 24-bit RGB pixels, top row first, as a JPEG file.
std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height,
                                int quality);
