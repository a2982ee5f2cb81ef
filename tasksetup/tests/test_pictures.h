// Picture files and pixel checks for the control's window tests.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>

// Writes a picture of one colour (0xRRGGBB) as a PNG file.
bool WriteSolidPicture(const std::wstring& path, int width, int height, uint32_t rgb);

// Whether some pixel within radius of (x, y) has exactly the colour.
bool ColorNear(const PixelBuffer& pixels, int x, int y, int radius, uint32_t rgb);

// What the window shows now, after it has handled its pending paints.
PixelBuffer CaptureAfterPaint(HWND window);

inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kOrange = 0xFF8000;
inline constexpr uint32_t kRed = 0xFF0000;
inline constexpr uint32_t kBlue = 0x0000FF;
