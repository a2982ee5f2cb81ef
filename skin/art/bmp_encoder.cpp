#include "bmp_encoder.h"

namespace {

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k)
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

bool Matches(int width, int height, const std::vector<uint8_t>& rgba) {
    return width > 0 && height > 0 &&
           rgba.size() == static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
}

// BITMAPINFOHEADER with the given height field (an icon's counts the mask too).
void AppendInfoHeader(std::string& out, int width, int heightField, int bitsPerPixel,
                      uint32_t imageSize) {
    AppendLittleEndian(out, 40, 4);
    AppendLittleEndian(out, static_cast<uint32_t>(width), 4);
    AppendLittleEndian(out, static_cast<uint32_t>(heightField), 4);
    AppendLittleEndian(out, 1, 2); // planes
    AppendLittleEndian(out, static_cast<uint32_t>(bitsPerPixel), 2);
    AppendLittleEndian(out, 0, 4); // BI_RGB
    AppendLittleEndian(out, imageSize, 4);
    AppendLittleEndian(out, 2835, 4); // 72 dpi
    AppendLittleEndian(out, 2835, 4);
    AppendLittleEndian(out, 0, 4);
    AppendLittleEndian(out, 0, 4);
}

size_t PixelIndex(int width, int x, int y) {
    return (static_cast<size_t>(y) * width + x) * 4;
}

// The icon's picture and mask as stored in the file: bottom-up rows.
std::string IconBitmap(const IconImage& image) {
    const int maskStride = ((image.width + 31) / 32) * 4;
    const uint32_t pixelBytes = static_cast<uint32_t>(image.width) * image.height * 4;
    const uint32_t maskBytes = static_cast<uint32_t>(maskStride) * image.height;
    std::string out;
    AppendInfoHeader(out, image.width, image.height * 2, 32, pixelBytes + maskBytes);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.rgba[PixelIndex(image.width, x, y)];
            out += static_cast<char>(p[2]);
            out += static_cast<char>(p[1]);
            out += static_cast<char>(p[0]);
            out += static_cast<char>(p[3]);
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(maskStride), '\0');
        for (int x = 0; x < image.width; ++x) {
            if (image.rgba[PixelIndex(image.width, x, y) + 3] == 0)
                row[static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        }
        out += row;
    }
    return out;
}

} // namespace

std::string EncodeBmp(int width, int height, const std::vector<uint8_t>& rgba) {
    if (!Matches(width, height, rgba))
        return {};
    const int stride = (width * 3 + 3) / 4 * 4;
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    std::string out = "BM";
    AppendLittleEndian(out, 14 + 40 + imageSize, 4);
    AppendLittleEndian(out, 0, 4);
    AppendLittleEndian(out, 14 + 40, 4);
    AppendInfoHeader(out, width, height, 24, imageSize);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgba[PixelIndex(width, x, y)];
            row[static_cast<size_t>(x) * 3] = static_cast<char>(p[2]);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(p[1]);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(p[0]);
        }
        out += row;
    }
    return out;
}

std::string EncodeIco(const std::vector<IconImage>& images) {
    if (images.empty() || images.size() > 0xFFFF)
        return {};
    std::vector<std::string> bitmaps;
    for (const IconImage& image : images) {
        if (!Matches(image.width, image.height, image.rgba) || image.width > 256 ||
            image.height > 256)
            return {};
        bitmaps.push_back(IconBitmap(image));
    }
    std::string out;
    AppendLittleEndian(out, 0, 2);
    AppendLittleEndian(out, 1, 2); // icon
    AppendLittleEndian(out, static_cast<uint32_t>(images.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t k = 0; k < images.size(); ++k) {
        out += static_cast<char>(images[k].width == 256 ? 0 : images[k].width);
        out += static_cast<char>(images[k].height == 256 ? 0 : images[k].height);
        out += '\0'; // no palette
        out += '\0';
        AppendLittleEndian(out, 1, 2);  // planes
        AppendLittleEndian(out, 32, 2); // bits per pixel
        AppendLittleEndian(out, static_cast<uint32_t>(bitmaps[k].size()), 4);
        AppendLittleEndian(out, offset, 4);
        offset += static_cast<uint32_t>(bitmaps[k].size());
    }
    for (const std::string& bitmap : bitmaps)
        out += bitmap;
    return out;
}
