// Writes pictures as Windows bitmap (.bmp) and icon (.ico) files, the forms
// the skinned-dialog library loads through the platform's own loaders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A 24-bit bitmap file (bottom-up rows padded to four bytes) of
// width x height pixels given row by row as R, G, B, A bytes; alpha is
// dropped. Empty when the size is zero or does not match the pixel data.
std::string EncodeBmp(int width, int height, const std::vector<uint8_t>& rgba);

struct IconImage {
    int width = 0; // 1 to 256
    int height = 0;
    std::vector<uint8_t> rgba;
};

// An icon file holding each image as a 32-bit bitmap with straight alpha and
// an AND mask that is set where a pixel is fully transparent. Empty when
// there is no image or one has a bad size.
std::string EncodeIco(const std::vector<IconImage>& images);
