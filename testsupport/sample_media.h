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
