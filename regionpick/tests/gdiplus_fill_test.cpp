// The scanline fill that writes mask.bin against GDI+ filling the same
// polygon the way mask.jpg is painted: pixel for pixel, and the same box.
#include "gdiplus_session.h"
#include "target_files.h"
#include "target_mask.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

namespace {

using Polygon = std::vector<PixelPoint>;

// GDI+'s fill of polygon on a black picture of width x height, as mask bytes
// (0xFF where the pixel turned white).
std::vector<uint8_t> GdiplusMask(const Polygon& polygon, int width, int height,
                                 Gdiplus::PixelFormat format) {
    Gdiplus::Bitmap bitmap(width, height, format);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(255, 0, 0, 0));
        EXPECT_TRUE(FillTargetPolygon(graphics, polygon, Gdiplus::Color(255, 255, 255, 255)));
    }
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, width, height);
    std::vector<uint8_t> mask;
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok) {
        ADD_FAILURE() << "cannot read the bitmap back";
        return mask;
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < width; ++x)
            mask.push_back((row[x] & 0x00FF0000u) == 0x00FF0000u ? 0xFF : 0x00);
    }
    bitmap.UnlockBits(&data);
    return mask;
}

MaskBox GdiplusBounds(const Polygon& polygon) {
    std::vector<Gdiplus::Point> points;
    for (const PixelPoint& point : polygon)
        points.emplace_back(point.x, point.y);
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    path.AddPolygon(points.data(), static_cast<INT>(points.size()));
    Gdiplus::Rect bounds;
    path.GetBounds(&bounds);
    return MaskBox{bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

std::string Describe(const Polygon& polygon) {
    std::ostringstream text;
    for (const PixelPoint& point : polygon)
        text << "(" << point.x << "," << point.y << ")";
    return text.str();
}

// Where the two masks differ, as text for the failure message.
std::string Differences(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& theirs,
                        int width) {
    std::ostringstream text;
    int shown = 0;
    for (size_t i = 0; i < ours.size() && i < theirs.size() && shown < 12; ++i) {
        if (ours[i] != theirs[i]) {
            text << " (" << i % width << "," << i / width << "): ours " << int(ours[i]) << " GDI+ "
                 << int(theirs[i]) << ";";
            ++shown;
        }
    }
    return text.str();
}

class GdiplusFill : public testing::Test {
protected:
    void ExpectSameFill(const Polygon& polygon, int width, int height) {
        const MaskBox picture{0, 0, width, height};
        const std::vector<uint8_t> ours = FillPolygonMask(polygon, picture);
        for (const Gdiplus::PixelFormat format : {PixelFormat32bppARGB, PixelFormat24bppRGB}) {
            const std::vector<uint8_t> theirs = GdiplusMask(polygon, width, height, format);
            ASSERT_EQ(ours, theirs)
                << Describe(polygon) << " format " << format << Differences(ours, theirs, width);
        }
        ASSERT_EQ(PolygonBounds(polygon), GdiplusBounds(polygon)) << Describe(polygon);
    }

    GdiplusSession m_gdiplus;
};

TEST_F(GdiplusFill, Triangles) {
    ExpectSameFill({{100, 50}, {300, 50}, {200, 150}}, 400, 200);
    ExpectSameFill({{3, 40}, {37, 2}, {61, 45}}, 64, 48);
    ExpectSameFill({{0, 0}, {63, 1}, {1, 47}}, 64, 48);
    ExpectSameFill({{10, 10}, {11, 40}, {12, 10}}, 64, 48); // a sliver
    ExpectSameFill({{5, 5}, {60, 6}, {30, 7}}, 64, 48);     // flat
}

TEST_F(GdiplusFill, ConcaveOutlines) {
    ExpectSameFill({{0, 0}, {40, 0}, {40, 30}, {20, 10}, {0, 30}}, 64, 48);
    ExpectSameFill({{5, 5}, {55, 5}, {55, 40}, {45, 40}, {45, 15}, {15, 15}, {15, 40}, {5, 40}}, 64,
                   48);
    ExpectSameFill({{32, 2}, {40, 20}, {60, 24}, {40, 28}, {32, 46}, {24, 28}, {4, 24}, {24, 20}},
                   64, 48);
}

TEST_F(GdiplusFill, SelfCrossingOutlines) {
    ExpectSameFill({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}, 100, 100); // star
    ExpectSameFill({{0, 0}, {20, 20}, {20, 0}, {0, 20}}, 64, 48);               // bow tie
    // Overlapping loops and edges that run back over each other.
    ExpectSameFill({{5, 5}, {50, 5}, {50, 40}, {20, 40}, {20, 20}, {60, 20}, {60, 45}, {5, 45}}, 64,
                   48);
    ExpectSameFill({{10, 10}, {50, 10}, {10, 10}, {30, 40}}, 64, 48);
}

TEST_F(GdiplusFill, ThePicturesEdgesAndBeyond) {
    ExpectSameFill({{0, 0}, {63, 0}, {63, 47}, {0, 47}}, 64, 48);
    ExpectSameFill({{0, 0}, {64, 0}, {64, 48}, {0, 48}}, 64, 48);
    ExpectSameFill({{-10, -10}, {80, 5}, {30, 70}}, 64, 48);
    ExpectSameFill({{63, 0}, {63, 47}, {0, 24}}, 64, 48);
    ExpectSameFill({{-5, 20}, {10, -8}, {70, 30}, {30, 60}}, 64, 48);
}

TEST_F(GdiplusFill, RandomOutlines) {
    std::mt19937 random(81);
    for (int round = 0; round < 200; ++round) {
        const int vertices = 3 + static_cast<int>(random() % 12);
        const int spread = round % 4 == 0 ? 10 : 80;
        Polygon polygon;
        for (int i = 0; i < vertices; ++i)
            polygon.push_back(PixelPoint{static_cast<int>(random() % spread) - 8,
                                         static_cast<int>(random() % spread) - 8});
        ExpectSameFill(polygon, 64, 48);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
