// JPEG files of pictures the server makes itself (the snapshot pictures).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width x height pixels, three bytes each (R, G, B), top row first.
// Returns the JPEG file's bytes, empty on failure.
std::string EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality = 85);
