// Media files of a test's own for the sample server's media service, written
// into the fixture's data folder and named by their server paths.
#pragma once

#include "sample_video.h"

#include <string>

// Writes video below the data folder at relative ("media/ten.mp4") and
// returns its server path ("E:\AstRP_1v2\media\ten.mp4"); empty on failure.
std::string WriteSampleMedia(const std::string& relative, const SampleVideo& video);

// The server path the sample server's replies give a file below its data
// folder ("summary/12/summary.mp4").
std::string SampleServerPath(const std::string& relative);

// A small source video on background 0x204080: one object of colour 0xE0C040,
// a quarter of the picture's width and height, moving from the top-left
// corner half the picture's width to the right over the frames.
SampleVideo MovingBoxVideo(int frames, int width, int height,
                           PictureFormat pictures = PictureFormat::kYuv420);
inline constexpr uint32_t kMovingBoxBackground = 0x204080;
inline constexpr uint32_t kMovingBoxColor = 0xE0C040;
