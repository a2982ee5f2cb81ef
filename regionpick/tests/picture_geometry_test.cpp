#include "picture_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(FitPictureRect, SmallerPictureIsShownAtNaturalSizeCentred) {
    EXPECT_EQ(FitPictureRect(400, 300, 800, 600), (PixelRect{200, 150, 600, 450}));
    EXPECT_EQ(FitPictureRect(401, 300, 800, 600), (PixelRect{199, 150, 600, 450}));
}

TEST(FitPictureRect, TallPictureIsFittedByHeight) {
    // 300 x 1200 in 800 x 600: height 600, width 150, centred.
    EXPECT_EQ(FitPictureRect(300, 1200, 800, 600), (PixelRect{325, 0, 475, 600}));
    // Same height as the client counts as too tall.
    EXPECT_EQ(FitPictureRect(400, 600, 800, 600), (PixelRect{200, 0, 600, 600}));
}

TEST(FitPictureRect, WiderOnlyPictureIsFittedByWidthWithTruncation) {
    // 1000 x 300 in 800 x 600: width 800, height trunc(800 / 3.333...) = 240.
    EXPECT_EQ(FitPictureRect(1000, 300, 800, 600), (PixelRect{0, 180, 800, 420}));
    // 1000 x 301: 800 / (1000 / 301) = 240.8 -> 240.
    EXPECT_EQ(FitPictureRect(1000, 301, 800, 600).Height(), 240);
}

TEST(FitPictureRect, LargerBothWaysAndRelativelyWiderIsSqueezedToTheClient) {
    EXPECT_EQ(FitPictureRect(1600, 600, 800, 600), (PixelRect{0, 0, 800, 600}));
    EXPECT_EQ(FitPictureRect(4000, 3000, 800, 500), (PixelRect{67, 0, 733, 500}));
}

TEST(FitPictureRect, ExtremeAndEmptySizesStayInsideTheClient) {
    EXPECT_EQ(FitPictureRect(2000000000, 1, 800, 1), (PixelRect{0, 0, 800, 1}));
    EXPECT_EQ(FitPictureRect(1, 2000000000, 800, 600), (PixelRect{400, 0, 400, 600}));
    EXPECT_EQ(FitPictureRect(0, 300, 800, 600), PixelRect{});
    EXPECT_EQ(FitPictureRect(400, 300, 0, 600), PixelRect{});
    EXPECT_EQ(FitPictureRect(400, 300, 800, -1), PixelRect{});
}

TEST(LayOutSearchPicture, ButtonsHangFromTheBottomRightAndTheCanvasFillsTheRest) {
    const SearchPictureLayout layout = LayOutSearchPicture(PixelRect{0, 0, 700, 500});
    EXPECT_EQ(layout.importButton, (PixelRect{342, 467, 429, 493}));
    EXPECT_EQ(layout.outlineButton, (PixelRect{429, 467, 516, 493}));
    EXPECT_EQ(layout.okButton, (PixelRect{516, 467, 603, 493}));
    EXPECT_EQ(layout.cancelButton, (PixelRect{603, 467, 690, 493}));
    EXPECT_EQ(layout.canvas, (PixelRect{5, 35, 695, 462}));
    // A client too small for the margins gives an empty canvas, not a negative one.
    EXPECT_EQ(LayOutSearchPicture(PixelRect{0, 0, 8, 60}).canvas, (PixelRect{5, 35, 5, 35}));
}

} // namespace
