// Pictures for the picker tests: smooth gradients (so JPEG copies stay close
// to them) written as PNG files, and checks of decoded pictures.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <vector>

// Red rises left to right, green top to bottom, blue is constant.
uint32_t GradientColour(int x, int y, int width, int height);
bool WriteGradientPicture(const std::wstring& path, int width, int height);

// Mean and largest per-channel difference between picture and the gradient
// of a source of sourceWidth x sourceHeight seen from (left, top).
struct PictureDifference {
    double mean = 0;
    int largest = 0;
};
PictureDifference CompareWithGradient(const Image& picture, int left, int top, int sourceWidth,
                                      int sourceHeight);

// How many pixels of a decoded mask picture disagree with mask bytes
// (white above half brightness against 0xFF).
size_t MaskDisagreements(const Image& picture, const std::vector<uint8_t>& mask);

std::vector<uint8_t> ReadBytes(const std::wstring& path);

// An 8-bit palette BMP of grey levels rising left to right: a picture GDI+
// decodes but cannot draw on directly.
bool WriteGreyPaletteBmp(const std::wstring& path, int width, int height);
