// YUV 4:2:0 conversions: the studio-range colours, the plane layout, and the
// row order the caller asks for.
#include "yuv420.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

TEST(YuvColors, BlackAndWhiteSitAtStudioRange) {
    const YuvColor black = RgbToYuv(0x000000), white = RgbToYuv(0xFFFFFF);
    EXPECT_EQ(16, black.y);
    EXPECT_EQ(128, black.u);
    EXPECT_EQ(128, black.v);
    EXPECT_EQ(235, white.y);
    EXPECT_EQ(128, white.u);
    EXPECT_EQ(128, white.v);
    EXPECT_EQ(0x000000u, YuvToRgb(black));
    EXPECT_EQ(0xFFFFFFu, YuvToRgb(white));
}

// Saturated colours in both directions, from the integer BT.601
// studio-range formula worked out by hand; a wrong coefficient on either side
// shows here even where the round trip would hide it.
TEST(YuvColors, ColoursHaveTheirIntegerBt601Values) {
    struct Case {
        uint32_t rgb;
        int y, u, v;
        uint32_t back; // what the YUV triple decodes to
    };
    const Case cases[] = {
        {0xFF0000u, 82, 90, 240, 0xFF0100u},   // red
        {0x00FF00u, 144, 54, 34, 0x00FE00u},   // green
        {0x0000FFu, 41, 240, 110, 0x0000FFu},  // blue
        {0xFFFF00u, 210, 16, 146, 0xFFFF00u},  // yellow
        {0x00FFFFu, 169, 166, 16, 0x00FEFFu},  // cyan
        {0xFF00FFu, 107, 202, 222, 0xFF01FFu}, // magenta
    };
    for (const Case& c : cases) {
        const YuvColor yuv = RgbToYuv(c.rgb);
        EXPECT_EQ(c.y, yuv.y) << std::hex << c.rgb;
        EXPECT_EQ(c.u, yuv.u) << std::hex << c.rgb;
        EXPECT_EQ(c.v, yuv.v) << std::hex << c.rgb;
        const YuvColor given{static_cast<uint8_t>(c.y), static_cast<uint8_t>(c.u),
                             static_cast<uint8_t>(c.v)};
        EXPECT_EQ(c.back, YuvToRgb(given)) << std::hex << c.rgb;
    }
    // Saturated colours clamp; in these dark ones nothing does, and every
    // decoding coefficient shows in the last bit.
    EXPECT_EQ(0x2A073Cu, YuvToRgb(YuvColor{36, 146, 140}));
    EXPECT_EQ(0x36025Cu, YuvToRgb(YuvColor{40, 160, 144}));
}

TEST(YuvColors, ColoursComeBackWithinRounding) {
    for (uint32_t rgb : {0xE04040u, 0x40C0E0u, 0xE0C040u, 0xC060E0u, 0x60E060u, 0x406040u,
                         0x604830u, 0xFF0000u, 0x0000FFu}) {
        const uint32_t back = YuvToRgb(RgbToYuv(rgb));
        for (int shift : {0, 8, 16}) {
            const int a = (rgb >> shift) & 0xFF, b = (back >> shift) & 0xFF;
            EXPECT_LE(std::abs(a - b), 3) << std::hex << rgb << " came back as " << back;
        }
    }
}

// A 3 x 3 picture: luma rows 50, 100, 150; chroma 2 x 2 samples, the right
// column's samples differ from the left's.
std::vector<uint8_t> OddPicture() {
    return {50,  50,  50,  100, 100, 100, 150, 150, 150, // Y
            128, 200, 128, 200,                          // U
            128, 60,  128, 60};                          // V
}

TEST(I420Conversion, TopRowFirstOrBottomUpAsAsked) {
    const auto picture = OddPicture();
    std::vector<uint8_t> topDown(3 * 12, 0xEE), bottomUp(3 * 12, 0xEE);
    I420ToBgr24(picture.data(), 3, 3, topDown.data(), 12);
    I420ToBgr24(picture.data(), 3, 3, bottomUp.data() + 2 * 12, -12);
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(topDown[static_cast<size_t>(row) * 12 + i],
                      bottomUp[static_cast<size_t>(2 - row) * 12 + i]);
        // Row padding is left alone.
        for (int i = 9; i < 12; ++i)
            EXPECT_EQ(0xEE, topDown[static_cast<size_t>(row) * 12 + i]);
    }
    // Grey where chroma is neutral, brighter further down.
    EXPECT_EQ(topDown[0], topDown[1]);
    EXPECT_EQ(topDown[1], topDown[2]);
    EXPECT_LT(topDown[0], topDown[12]);
    EXPECT_LT(topDown[12], topDown[24]);
}

TEST(I420Conversion, OddWidthUsesTheLastChromaSampleForTheLastColumn) {
    const auto picture = OddPicture();
    std::vector<uint8_t> pixels(3 * 3 * 4);
    I420ToBgra32(picture.data(), 3, 3, pixels.data(), 12);
    const auto blue = [&](int x, int y) { return pixels[static_cast<size_t>(y) * 12 + x * 4]; };
    const auto alpha = [&](int x, int y) {
        return pixels[static_cast<size_t>(y) * 12 + x * 4 + 3];
    };
    // Columns 0 and 1 share the neutral sample; column 2 has U = 200 (bluer).
    EXPECT_EQ(blue(0, 0), blue(1, 0));
    EXPECT_GT(blue(2, 0), blue(1, 0) + 50);
    EXPECT_GT(blue(2, 2), blue(1, 2) + 50);
    EXPECT_EQ(0xFF, alpha(2, 2));
    EXPECT_EQ(picture.size(), I420Bytes(3, 3));
}

} // namespace
