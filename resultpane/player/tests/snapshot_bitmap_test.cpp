// Captured-frame bitmap files: the headers field by field, 32-bit pictures
// passed through, YUV 4:2:0 converted into padded bottom-up rows, and
// pictures that fit neither refused.
#include "snapshot_bitmap.h"
#include "yuv420.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}
uint16_t U16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// A uniform I420 picture of one colour.
std::vector<uint8_t> Uniform(int width, int height, uint32_t rgb) {
    const YuvColor c = RgbToYuv(rgb);
    std::vector<uint8_t> picture(I420Bytes(width, height), c.u);
    std::memset(picture.data(), c.y, static_cast<size_t>(width) * height);
    const size_t chroma = (picture.size() - static_cast<size_t>(width) * height) / 2;
    std::memset(picture.data() + picture.size() - chroma, c.v, chroma);
    return picture;
}

TEST(BitmapHeaders, StateSizesOffsetsAndFormat) {
    const auto h = BitmapHeaders(640, 480, 32, 640 * 480 * 4);
    ASSERT_EQ(kBitmapHeadersSize, h.size());
    EXPECT_EQ('B', h[0]);
    EXPECT_EQ('M', h[1]);
    EXPECT_EQ(54u + 640 * 480 * 4, U32At(h, 2));
    EXPECT_EQ(0u, U32At(h, 6));
    EXPECT_EQ(54u, U32At(h, 10));
    EXPECT_EQ(40u, U32At(h, 14));
    EXPECT_EQ(640u, U32At(h, 18));
    EXPECT_EQ(480u, U32At(h, 22));
    EXPECT_EQ(1u, U16At(h, 26));
    EXPECT_EQ(32u, U16At(h, 28));
    EXPECT_EQ(0u, U32At(h, 30));
    EXPECT_EQ(640u * 480 * 4, U32At(h, 34));
    for (size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(0u, U32At(h, at)) << "resolution and colour counts";
}

TEST(SnapshotFiles, ThirtyTwoBitPicturesPassThroughUnchanged) {
    std::vector<uint8_t> picture(640 * 480 * 4);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<uint8_t>(i * 7);
    const auto file = SnapshotBitmapFile(picture, 640, 480);
    ASSERT_EQ(54u + 1228800u, file.size());
    EXPECT_EQ(32u, U16At(file, 28));
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), file.begin() + 54));
}

TEST(SnapshotFiles, YuvPicturesBecomeTwentyFourBitBottomUp) {
    // Top half red, bottom half blue, 8 x 4.
    std::vector<uint8_t> picture = Uniform(8, 4, 0xFF0000);
    const auto blue = Uniform(8, 4, 0x0000FF);
    std::memcpy(picture.data() + 16, blue.data() + 16, 16);                // luma rows 2, 3
    std::memcpy(picture.data() + 32 + 4, blue.data() + 32 + 4, 4);         // U row 1
    std::memcpy(picture.data() + 32 + 8 + 4, blue.data() + 32 + 8 + 4, 4); // V row 1
    const auto file = SnapshotBitmapFile(picture, 8, 4);
    ASSERT_EQ(54u + 8 * 4 * 3, file.size());
    EXPECT_EQ(24u, U16At(file, 28));
    EXPECT_EQ(8u * 4 * 3, U32At(file, 34));
    const auto pixel = [&](int x, int rowInFile) {
        const size_t at = 54 + static_cast<size_t>(rowInFile) * 24 + static_cast<size_t>(x) * 3;
        return (uint32_t{file[at + 2]} << 16) | (uint32_t{file[at + 1]} << 8) | file[at];
    };
    EXPECT_EQ(YuvToRgb(RgbToYuv(0x0000FF)), pixel(0, 0)) << "the bottom row comes first";
    EXPECT_EQ(YuvToRgb(RgbToYuv(0xFF0000)), pixel(7, 3));
}

TEST(SnapshotFiles, OddWidthsGetPaddedRowsAndTheirOwnSizeInTheHeader) {
    EXPECT_EQ(12u, Bgr24Stride(4));
    EXPECT_EQ(16u, Bgr24Stride(5));
    EXPECT_EQ(12u, Bgr24Stride(3));
    const auto file = SnapshotBitmapFile(Uniform(5, 3, 0x00FF00), 5, 3);
    ASSERT_EQ(54u + 16 * 3, file.size());
    EXPECT_EQ(5u, U32At(file, 18));
    EXPECT_EQ(3u, U32At(file, 22));
    EXPECT_EQ(16u * 3, U32At(file, 34));
    EXPECT_EQ(0, file[54 + 15]) << "padding";
    EXPECT_EQ(file[54 + 12], file[54 + 16 + 12]) << "every row has the same fifth pixel";
}

TEST(SnapshotFiles, PicturesOfNeitherFormatAreRefused) {
    // 8 x 8 in YUV 4:2:0 takes 96 bytes.
    EXPECT_TRUE(SnapshotBitmapFile(std::vector<uint8_t>(95), 8, 8).empty()) << "too short";
    EXPECT_TRUE(SnapshotBitmapFile(std::vector<uint8_t>(96), 0, 8).empty());
    EXPECT_TRUE(SnapshotBitmapFile(std::vector<uint8_t>(96), 8, -8).empty());
    EXPECT_TRUE(SnapshotBitmapFile({}, 8, 8).empty());
    // Any length but the 32-bit one is YUV 4:2:0; bytes beyond it are unread.
    EXPECT_EQ(54u + 8 * 8 * 3, SnapshotBitmapFile(std::vector<uint8_t>(100), 8, 8).size());
}

} // namespace
