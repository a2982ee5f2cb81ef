#include "test_pictures.h"

#include "png_encoder.h"
#include "test_fixture.h"

#include <vector>

bool WritePicture(const std::wstring& path, int width, int height,
                  const std::function<uint32_t(int x, int y)>& argb) {
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb(x, y);
            rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                     static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
        }
    }
    const std::string png = EncodePng(width, height, rgba);
    return !png.empty() && WriteFileBytes(path, png);
}

bool WriteSolidPicture(const std::wstring& path, int width, int height, uint32_t argb) {
    return WritePicture(path, width, height, [argb](int, int) { return argb; });
}
