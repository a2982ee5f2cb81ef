// Where the skinned frames put their buttons and tiles, and how the frame
// dialog answers hit tests.
#include "frame_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteFrameButtons, CloseAtTheRightAndTheOthersEighteenPixelsApart) {
    const SystemButtons all = SpriteFrameButtons(300, true, true);
    EXPECT_EQ(all.close, (SkinRect{280, 5, 296, 20}));
    EXPECT_EQ(all.maximize, (SkinRect{262, 5, 278, 20}));
    EXPECT_EQ(all.minimize, (SkinRect{244, 5, 260, 20}));
    const SystemButtons noMaximize = SpriteFrameButtons(300, false, true);
    EXPECT_TRUE(noMaximize.maximize.IsEmpty());
    EXPECT_EQ(noMaximize.minimize, (SkinRect{262, 5, 278, 20}));
    EXPECT_TRUE(SpriteFrameButtons(300, true, false).minimize.IsEmpty());
}

TEST(FrameDialogButtons, TwentyThreePixelButtonsEightFromTheRight) {
    const SkinRect client = {0, 0, 400, 300};
    const SystemButtons all = FrameDialogButtons(client, true, true);
    EXPECT_EQ(all.close, (SkinRect{369, 3, 392, 26}));
    EXPECT_EQ(all.maximize, (SkinRect{346, 3, 369, 26}));
    EXPECT_EQ(all.minimize, (SkinRect{323, 3, 346, 26}));
    EXPECT_EQ(all.At(330, 10), kMinimizeButton);
    EXPECT_EQ(all.At(391, 25), kCloseButton);
    EXPECT_EQ(all.At(392, 10), kNoButton);
    const SystemButtons noMaximize = FrameDialogButtons(client, false, true);
    EXPECT_EQ(noMaximize.minimize, (SkinRect{346, 3, 369, 26}));
    EXPECT_EQ(noMaximize.LeftEdge(), 346);
    EXPECT_EQ(TitleBand(noMaximize, 50, 8), (SkinRect{8, 8, 346, 50}));
}

TEST(ThreeTileStrip, SideTilesAtTheEndsAndTheMiddleStretched) {
    const std::vector<TilePiece> wide = ThreeTileStrip({0, 250, 200, 285}, 32, 128);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0].destination, (SkinRect{0, 250, 32, 285}));
    EXPECT_EQ(wide[0].source, (SkinRect{0, 0, 32, 35}));
    EXPECT_EQ(wide[1].destination, (SkinRect{32, 250, 168, 285}));
    EXPECT_EQ(wide[1].source, (SkinRect{32, 0, 160, 35}));
    EXPECT_EQ(wide[2].destination, (SkinRect{168, 250, 200, 285}));
    EXPECT_EQ(wide[2].source, (SkinRect{160, 0, 192, 35}));
    // Narrower than two side tiles: their outer parts, no middle, nothing
    // drawn beyond the strip.
    const std::vector<TilePiece> narrow = ThreeTileStrip({0, 0, 41, 50}, 32, 128);
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0].destination, (SkinRect{0, 0, 20, 50}));
    EXPECT_EQ(narrow[0].source, (SkinRect{0, 0, 20, 50}));
    EXPECT_EQ(narrow[1].destination, (SkinRect{20, 0, 41, 50}));
    EXPECT_EQ(narrow[1].source, (SkinRect{171, 0, 192, 50}));
    EXPECT_TRUE(ThreeTileStrip({0, 0, 0, 50}, 32, 128).empty());
}

TEST(FrameDialogHitTest, EdgesSizeOnlyAResizableRestoredFrame) {
    const SkinRect client = {0, 0, 400, 300};
    const struct {
        int x, y;
        FrameHit resizable, fixed;
    } cases[] = {
        {2, 2, FrameHit::TopLeft, FrameHit::Default},
        {200, 2, FrameHit::Top, FrameHit::Default},
        {397, 7, FrameHit::TopRight, FrameHit::Default},
        {2, 150, FrameHit::Left, FrameHit::Default},
        {392, 150, FrameHit::Right, FrameHit::Default},
        {7, 297, FrameHit::BottomLeft, FrameHit::Default},
        {200, 292, FrameHit::Bottom, FrameHit::Default},
        {399, 299, FrameHit::BottomRight, FrameHit::Default},
        {8, 8, FrameHit::Client, FrameHit::Client},
        {372, 272, FrameHit::BottomRight, FrameHit::Client}, // the grip inside the edge
        {391, 291, FrameHit::BottomRight, FrameHit::Client},
        {371, 291, FrameHit::Client, FrameHit::Client},
        {400, 150, FrameHit::Default, FrameHit::Default}, // outside the client area
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FrameDialogHitTest(c.x, c.y, client, true, false), c.resizable)
            << c.x << "," << c.y;
        EXPECT_EQ(FrameDialogHitTest(c.x, c.y, client, false, false), c.fixed) << c.x << "," << c.y;
        EXPECT_EQ(FrameDialogHitTest(c.x, c.y, client, true, true), FrameHit::Default);
    }
}

TEST(FrameDialogFigures, MaximisedPlacementAndContentArea) {
    const MaximizedPlacement inset = FrameDialogMaximized({0, 0, 1024, 738}, 4);
    EXPECT_EQ(std::vector<int>({inset.x, inset.y, inset.width, inset.height}),
              std::vector<int>({-4, -4, 1037, 750}));
    const MaximizedPlacement flush = FrameDialogMaximized({10, 20, 810, 620}, 0);
    EXPECT_EQ(std::vector<int>({flush.x, flush.y, flush.width, flush.height}),
              std::vector<int>({10, 20, 801, 600}));

    EXPECT_EQ(FrameDialogContentRect({0, 0, 400, 300}, 8, 50, 35), (SkinRect{8, 50, 392, 265}));
    const SkinRect tiny = FrameDialogContentRect({0, 0, 10, 60}, 8, 50, 35);
    EXPECT_TRUE(tiny.IsEmpty());
    EXPECT_GE(tiny.Width(), 0);
    EXPECT_GE(tiny.Height(), 0);
}

} // namespace
