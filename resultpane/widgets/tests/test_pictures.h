// PNG pictures with alpha for widget tests, written by our own encoder so
// that what the widgets load is independent of the platform's encoders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Writes a width x height picture whose pixel (x, y) is argb(x, y) (0xAARRGGBB).
bool WritePicture(const std::wstring& path, int width, int height,
                  const std::function<uint32_t(int x, int y)>& argb);
// A picture of one colour.
bool WriteSolidPicture(const std::wstring& path, int width, int height, uint32_t argb);
