#include "canvas.h"

#include <gtest/gtest.h>

namespace {

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
