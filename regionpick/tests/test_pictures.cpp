#include "test_pictures.h"

#include "test_fixture.h"

#include <algorithm>
#include <cstdlib>

uint32_t GradientColour(int x, int y, int width, int height) {
    const uint32_t red = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
    const uint32_t green = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
    return (red << 16) | (green << 8) | 0x80u;
}

bool WriteGradientPicture(const std::wstring& path, int width, int height) {
    PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.pixels.push_back(GradientColour(x, y, width, height));
    return SavePng(pixels, path);
}

PictureDifference CompareWithGradient(const Image& picture, int left, int top, int sourceWidth,
                                      int sourceHeight) {
    PictureDifference difference;
    double sum = 0;
    size_t samples = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const uint32_t got = picture.PixelAt(x, y);
            const uint32_t want = GradientColour(left + x, top + y, sourceWidth, sourceHeight);
            for (int shift = 0; shift <= 16; shift += 8) {
                const int delta = std::abs(static_cast<int>((got >> shift) & 0xFF) -
                                           static_cast<int>((want >> shift) & 0xFF));
                sum += delta;
                difference.largest = std::max(difference.largest, delta);
                ++samples;
            }
        }
    }
    difference.mean = samples ? sum / samples : 0;
    return difference;
}

size_t MaskDisagreements(const Image& picture, const std::vector<uint8_t>& mask) {
    size_t disagreements = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const size_t index = static_cast<size_t>(y) * picture.Width() + x;
            const bool white = ((picture.PixelAt(x, y) >> 8) & 0xFF) > 128;
            if (index >= mask.size() || white != (mask[index] == 0xFF))
                ++disagreements;
        }
    }
    return disagreements;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return {};
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

bool WriteGreyPaletteBmp(const std::wstring& path, int width, int height) {
    const int stride = (width + 3) & ~3;
    const uint32_t pixelOffset = 14 + 40 + 256 * 4;
    std::string file;
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    file += "BM";
    put(pixelOffset + stride * height, 4);
    put(0, 4);
    put(pixelOffset, 4);
    put(40, 4); // BITMAPINFOHEADER, bottom-up rows
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);
    put(8, 2);
    put(0, 4); // BI_RGB
    put(static_cast<uint32_t>(stride * height), 4);
    put(2835, 4);
    put(2835, 4);
    put(256, 4);
    put(0, 4);
    for (uint32_t level = 0; level < 256; ++level)
        put(level | (level << 8) | (level << 16), 4);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < stride; ++x)
            file.push_back(static_cast<char>(x < width ? x * 255 / std::max(1, width - 1) : 0));
    return WriteFileBytes(path, file);
}
