// Frame pieces where the window is smaller than its skin: tiles that do not
// fit and a content area that would turn inside out.
#include "frame_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(ThreeTileStrip, SideTilesAtTheEndsTheMiddleStretchedAndNothingBeyondANarrowStrip) {
    const std::vector<TilePiece> wide = ThreeTileStrip({0, 250, 200, 285}, 32, 128);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[1].destination, (SkinRect{32, 250, 168, 285}));
    EXPECT_EQ(wide[1].source, (SkinRect{32, 0, 160, 35}));
    EXPECT_EQ(wide[2].source, (SkinRect{160, 0, 192, 35}));
    // Narrower than two side tiles: their outer parts, no middle.
    const std::vector<TilePiece> narrow = ThreeTileStrip({0, 0, 41, 50}, 32, 128);
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0].destination, (SkinRect{0, 0, 20, 50}));
    EXPECT_EQ(narrow[0].source, (SkinRect{0, 0, 20, 50}));
    EXPECT_EQ(narrow[1].destination, (SkinRect{20, 0, 41, 50}));
    EXPECT_EQ(narrow[1].source, (SkinRect{171, 0, 192, 50}));
    EXPECT_TRUE(ThreeTileStrip({0, 0, 0, 50}, 32, 128).empty());
}

TEST(FrameDialogContentRect, NeverTurnsInsideOut) {
    EXPECT_EQ(FrameDialogContentRect({0, 0, 400, 300}, 8, 50, 35), (SkinRect{8, 50, 392, 265}));
    const SkinRect tiny = FrameDialogContentRect({0, 0, 10, 60}, 8, 50, 35);
    EXPECT_TRUE(tiny.IsEmpty());
    EXPECT_EQ(tiny.Width(), 0);
    EXPECT_EQ(tiny.Height(), 0);
}

} // namespace
