#include "mask_reference.h"
#include "target_mask.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Polygon = std::vector<PixelPoint>;

MaskBox BoxOf(const Polygon& polygon) {
    return PolygonBounds(polygon);
}

TEST(ScaleOutlineToPicture, TruncatesTowardZeroInClickOrder) {
    const std::vector<NormalizedPoint> outline = {{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.75}};
    EXPECT_EQ(ScaleOutlineToPicture(outline, 400, 200),
              (Polygon{{100, 50}, {300, 50}, {200, 150}}));
    const std::vector<NormalizedPoint> odd = {{0.999, 0.3333}, {-0.0001, 0.5}};
    EXPECT_EQ(ScaleOutlineToPicture(odd, 1000, 3), (Polygon{{999, 0}, {0, 1}}));
}

TEST(ScaleOutlineToPicture, OutlandishValuesAreHeldToTheCoordinateLimit) {
    const std::vector<NormalizedPoint> outline = {{1e300, -1e300}, {std::nan(""), 0.5}};
    EXPECT_EQ(ScaleOutlineToPicture(outline, 100, 100),
              (Polygon{{kMaskCoordinateLimit, -kMaskCoordinateLimit}, {0, 50}}));
}

TEST(ChooseTargetArea, BoundsOfTheOutlineWithinThePicture) {
    EXPECT_EQ(PolygonBounds(Polygon{{100, 50}, {300, 50}, {200, 150}}),
              (MaskBox{100, 50, 200, 100}));
    const TargetArea triangle =
        ChooseTargetArea(Polygon{{100, 50}, {300, 50}, {200, 150}}, 400, 200);
    EXPECT_FALSE(triangle.wholePicture);
    EXPECT_EQ(triangle.box, (MaskBox{100, 50, 200, 100}));
    // Reaching out of the picture: cut to it.
    const TargetArea outside = ChooseTargetArea(Polygon{{-20, 10}, {500, -5}, {90, 300}}, 400, 200);
    EXPECT_EQ(outside.box, (MaskBox{0, 0, 400, 200}));
    EXPECT_FALSE(outside.wholePicture);
}

TEST(ChooseTargetArea, NoOutlineOrOneCoveringNoPixelMeansTheWholePicture) {
    for (const Polygon& polygon :
         {Polygon{}, Polygon{{10, 10}}, Polygon{{10, 10}, {10, 80}},
          Polygon{{5, 7}, {90, 7}, {40, 7}}, Polygon{{-50, -50}, {-10, -5}},
          Polygon{{640, 0}, {700, 100}, {650, 50}}}) {
        const TargetArea area = ChooseTargetArea(polygon, 640, 480);
        EXPECT_TRUE(area.wholePicture);
        EXPECT_EQ(area.box, (MaskBox{0, 0, 640, 480}));
    }
}

TEST(FillPolygonMask, TriangleRowsNarrowByOnePixelEachSide) {
    const Polygon triangle = {{100, 50}, {300, 50}, {200, 150}};
    const MaskBox box = BoxOf(triangle);
    const std::vector<uint8_t> mask = FillPolygonMask(triangle, box);
    ASSERT_EQ(mask.size(), 200u * 100u);
    for (int row = 0; row < 100; ++row)
        for (int column = 0; column < 200; ++column)
            ASSERT_EQ(mask[row * 200 + column], column >= row && column < 200 - row ? 0xFF : 0x00)
                << "row " << row << " column " << column;
}

TEST(FillPolygonMask, LeftAndTopEdgesAreInsideRightAndBottomEdgesAreNot) {
    const Polygon square = {{2, 1}, {6, 1}, {6, 4}, {2, 4}};
    const std::vector<uint8_t> mask = FillPolygonMask(square, MaskBox{0, 0, 8, 6});
    const char* expected = "........"
                           "..####.."
                           "..####.."
                           "..####.."
                           "........"
                           "........";
    for (size_t i = 0; i < mask.size(); ++i)
        EXPECT_EQ(mask[i], expected[i] == '#' ? 0xFF : 0x00) << "pixel " << i;
}

TEST(FillPolygonMask, SelfCrossingOutlineLeavesEvenlyCrossedPartsOut) {
    // A five-pointed star drawn in one stroke: its pentagon centre is
    // crossed twice and stays out, its points are in.
    const Polygon star = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const MaskBox box = BoxOf(star);
    const std::vector<uint8_t> mask = FillPolygonMask(star, box);
    EXPECT_EQ(mask, ReferenceMask(star, box));
    auto at = [&](int x, int y) { return mask[(y - box.y) * box.width + (x - box.x)]; };
    EXPECT_EQ(at(50, 55), 0x00); // centre
    EXPECT_EQ(at(50, 10), 0xFF); // top point
    EXPECT_EQ(at(10, 37), 0xFF); // left point
    // A bow tie: both wings in, nothing outside them.
    const Polygon bowTie = {{0, 0}, {20, 20}, {20, 0}, {0, 20}};
    const std::vector<uint8_t> tie = FillPolygonMask(bowTie, BoxOf(bowTie));
    EXPECT_EQ(tie, ReferenceMask(bowTie, BoxOf(bowTie)));
    EXPECT_EQ(tie[10 * 20 + 2], 0xFF);
    EXPECT_EQ(tie[2 * 20 + 10], 0x00);
}

TEST(FillPolygonMask, MatchesThePixelRuleForRandomOutlines) {
    std::mt19937 random(8);
    for (int round = 0; round < 300; ++round) {
        const int vertices = 3 + static_cast<int>(random() % 14);
        const int spread = round % 3 == 0 ? 8 : 120; // small ones hit ties and shared rows
        Polygon polygon;
        for (int i = 0; i < vertices; ++i)
            polygon.push_back(PixelPoint{static_cast<int>(random() % spread) - 10,
                                         static_cast<int>(random() % spread) - 10});
        // Look a little beyond the bounds too: nothing may be inside there.
        MaskBox box = BoxOf(polygon);
        box = MaskBox{box.x - 2, box.y - 2, box.width + 4, box.height + 4};
        ASSERT_EQ(FillPolygonMask(polygon, box), ReferenceMask(polygon, box)) << "round " << round;
    }
}

TEST(FillPolygonMask, WindowsOntoThePolygonAndRowsOutOfOrderGiveTheSameRows) {
    const Polygon concave = {{0, 0}, {40, 0}, {40, 30}, {20, 10}, {0, 30}};
    const std::vector<uint8_t> whole = FillPolygonMask(concave, BoxOf(concave));
    // A window inside the bounds is the same part of the whole mask.
    const MaskBox part{15, 5, 10, 12};
    const std::vector<uint8_t> window = FillPolygonMask(concave, part);
    for (int row = 0; row < part.height; ++row)
        for (int column = 0; column < part.width; ++column)
            ASSERT_EQ(window[row * part.width + column],
                      whole[(part.y + row) * 40 + part.x + column]);
    // Going back up restarts the walk.
    MaskScanner scanner(concave);
    std::vector<uint8_t> row(40), again(40);
    scanner.FillRow(20, 0, row);
    scanner.FillRow(25, 0, again);
    scanner.FillRow(20, 0, again);
    EXPECT_EQ(row, again);
    EXPECT_EQ(std::vector<uint8_t>(whole.begin() + 20 * 40, whole.begin() + 21 * 40), row);
}

TEST(FillPolygonMask, EmptyBoxOrDegenerateOutlineFillsNothing) {
    EXPECT_TRUE(FillPolygonMask(Polygon{{0, 0}, {5, 5}, {0, 5}}, MaskBox{0, 0, 0, 5}).empty());
    const std::vector<uint8_t> line =
        FillPolygonMask(Polygon{{0, 0}, {9, 9}}, MaskBox{0, 0, 10, 10});
    EXPECT_EQ(line, std::vector<uint8_t>(100, 0x00));
    const std::vector<uint8_t> none = FillPolygonMask(Polygon{}, MaskBox{0, 0, 3, 3});
    EXPECT_EQ(none, std::vector<uint8_t>(9, 0x00));
}

TEST(FillPolygonMask, CoordinatesAtTheLimitDoNotOverflow) {
    const int far = kMaskCoordinateLimit;
    const Polygon huge = {{-far, -far}, {far, -far}, {far, far}, {-far, far}};
    const std::vector<uint8_t> mask = FillPolygonMask(huge, MaskBox{-3, -3, 6, 6});
    EXPECT_EQ(mask, std::vector<uint8_t>(36, 0xFF));
    const Polygon beyond = {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}};
    const MaskBox box{-4, -4, 8, 8};
    EXPECT_EQ(FillPolygonMask(beyond, box),
              ReferenceMask(Polygon{{-far, -far}, {far, 0}, {0, far}}, box));
}

} // namespace
