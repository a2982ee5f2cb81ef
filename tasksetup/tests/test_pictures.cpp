#include "test_pictures.h"

#include "message_wait.h"

bool WriteSolidPicture(const std::wstring& path, int width, int height, uint32_t rgb) {
    PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.pixels.assign(static_cast<size_t>(width) * height, rgb);
    return SavePng(pixels, path);
}

bool ColorNear(const PixelBuffer& pixels, int x, int y, int radius, uint32_t rgb) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < pixels.width && py < pixels.height &&
                pixels.At(px, py) == rgb)
                return true;
        }
    return false;
}

PixelBuffer CaptureAfterPaint(HWND window) {
    PumpMessagesFor(20);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWindow(window);
}
