#include "canvas.h"
#include "shapes.h"

#include <gtest/gtest.h>

namespace {

TEST(Shapes, InsideAndOutside) {
    const Shape rounded = RoundRect(0, 0, 10, 10, 3);
    EXPECT_TRUE(rounded(5, 5));
    EXPECT_TRUE(rounded(5, 0.1)) << "straight edge";
    EXPECT_FALSE(rounded(0.3, 0.3)) << "rounded corner";
    EXPECT_FALSE(rounded(10, 5)) << "right edge excluded";

    const Shape triangle = Polygon({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_TRUE(triangle(2, 2));
    EXPECT_FALSE(triangle(6, 6));

    const Shape ring = Ring(0, 0, 5, 2);
    EXPECT_TRUE(ring(5.9, 0));
    EXPECT_FALSE(ring(3, 0));
    EXPECT_FALSE(ring(6.1, 0));

    const Shape line = Stroke({{0, 0}, {10, 0}, {10, 10}}, 2);
    EXPECT_TRUE(line(5, 0.9));
    EXPECT_TRUE(line(10.9, 5));
    EXPECT_FALSE(line(5, 5));
    EXPECT_TRUE(Stroke({{3, 3}}, 2)(3.5, 3)) << "a single point is a dot";

    const Shape cut = Minus(Rect(0, 0, 10, 10), Circle(5, 5, 2));
    EXPECT_FALSE(cut(5, 5));
    EXPECT_TRUE(cut(1, 1));
    EXPECT_TRUE(Offset(Circle(0, 0, 1), 10, 20)(10, 20.5));
    EXPECT_TRUE(Union({Circle(0, 0, 1), Circle(5, 0, 1)})(5, 0.5));
}

TEST(Canvas, WholePixelsTakeTheColourExactly) {
    Canvas canvas(4, 4);
    canvas.Fill(Rect(1, 1, 3, 3), Hex(0x336699));
    const std::vector<uint8_t> bytes = canvas.Rgba();
    const size_t at = (1 * 4 + 1) * 4; // pixel (1, 1)
    EXPECT_EQ((std::vector<uint8_t>{0x33, 0x66, 0x99, 255}),
              std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + 4));
    EXPECT_EQ(0.0f, canvas.At(0, 0).a);
    EXPECT_EQ(0.0f, canvas.At(3, 3).a);
}

TEST(Canvas, EdgesAreCoveredInProportion) {
    Canvas canvas(2, 1);
    canvas.Fill(Rect(0, 0, 1.5, 1), Hex(0xFFFFFF));
    EXPECT_FLOAT_EQ(1.0f, canvas.At(0, 0).a);
    EXPECT_FLOAT_EQ(0.5f, canvas.At(1, 0).a);
    EXPECT_FLOAT_EQ(1.0f, canvas.At(1, 0).r) << "colour stays straight";
    const std::vector<uint8_t> bytes = canvas.Rgba();
    EXPECT_EQ(128, bytes[7]);
    EXPECT_EQ(255, bytes[4]);
}

TEST(Canvas, LayersCompositeSourceOver) {
    Canvas canvas(1, 1, Hex(0x0000FF));
    canvas.Fill(Rect(0, 0, 1, 1), Hex(0xFF0000, 0.5f));
    const Colour c = canvas.At(0, 0);
    EXPECT_FLOAT_EQ(0.5f, c.r);
    EXPECT_FLOAT_EQ(0.0f, c.g);
    EXPECT_FLOAT_EQ(0.5f, c.b);
    EXPECT_FLOAT_EQ(1.0f, c.a);

    Canvas clear(1, 1);
    clear.Fill(Rect(0, 0, 1, 1), Hex(0xFF0000, 0.5f));
    clear.Fill(Rect(0, 0, 1, 1), Hex(0x00FF00, 0.5f));
    EXPECT_FLOAT_EQ(0.75f, clear.At(0, 0).a);
    EXPECT_NEAR(1.0f / 3, clear.At(0, 0).r, 1e-6);
}

TEST(Canvas, PlacementScalesAndMovesShapeUnits) {
    Canvas canvas(20, 20);
    canvas.Fill(Rect(0, 0, 1, 1), Hex(0xFFFFFF), Placement{10, 5, 4}); // pixels 10..14, 5..9
    EXPECT_FLOAT_EQ(1.0f, canvas.At(10, 5).a);
    EXPECT_FLOAT_EQ(1.0f, canvas.At(13, 8).a);
    EXPECT_FLOAT_EQ(0.0f, canvas.At(14, 8).a);
    EXPECT_FLOAT_EQ(0.0f, canvas.At(9, 5).a);
}

TEST(Canvas, GradientRunsFromTopToBottomColour) {
    Canvas canvas(1, 11);
    canvas.FillGradient(Rect(0, 0, 1, 11), Hex(0x000000), Hex(0xFFFFFF), 0.5, 10.5);
    EXPECT_FLOAT_EQ(0.0f, canvas.At(0, 0).r);
    EXPECT_FLOAT_EQ(0.5f, canvas.At(0, 5).r);
    EXPECT_FLOAT_EQ(1.0f, canvas.At(0, 10).r);
}

} // namespace
