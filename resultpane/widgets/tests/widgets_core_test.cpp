#include "button_face.h"
#include "premultiply.h"
#include "slider_geometry.h"
#include "tip_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

TEST(Premultiply, ScalesColoursByAlphaAndTruncates) {
    // Blue 200, green 100, red 50 at alpha 128 -> 100, 50, 25.
    EXPECT_EQ(0x80193264u, PremultiplyPixel(0x803264C8u));
    EXPECT_EQ(0xFF3264C8u, PremultiplyPixel(0xFF3264C8u)) << "opaque pixels keep their colour";
    EXPECT_EQ(0x00000000u, PremultiplyPixel(0x00FFFFFFu)) << "transparent pixels become black";
    EXPECT_EQ(0x01000000u, PremultiplyPixel(0x01FEFEFEu)) << "254 * 1 / 255 truncates to 0";
    EXPECT_EQ(0xFEFDFDFDu, PremultiplyPixel(0xFEFEFEFEu)) << "254 * 254 / 255 = 253.0039";
}

TEST(Premultiply, WholePictureInPlace) {
    std::vector<uint32_t> pixels = {0x803264C8u, 0xFFFFFFFFu, 0x00123456u};
    PremultiplyPixels(pixels.data(), pixels.size());
    EXPECT_EQ((std::vector<uint32_t>{0x80193264u, 0xFFFFFFFFu, 0x00000000u}), pixels);
}

TEST(SliderPosition, ClickSelectsTheChannelFractionOfTheRange) {
    EXPECT_EQ(250, SliderPositionAt(100, 400, 1000));
    EXPECT_EQ(0, SliderPositionAt(0, 400, 1000));
    EXPECT_EQ(1000, SliderPositionAt(400, 400, 1000));
    EXPECT_EQ(1250, SliderPositionAt(500, 400, 1000)) << "beyond the channel; the trackbar clamps";
    EXPECT_EQ(-25, SliderPositionAt(-10, 400, 1000));
    EXPECT_EQ(333, SliderPositionAt(1, 3, 1000));
}

TEST(SliderPosition, FractionIsRoundedToSinglePrecisionBeforeScaling) {
    // 1 / 10 in single precision is 0.10000000149..., which lifts the product past
    // 100000000 (the quotient in double precision would give exactly that).
    EXPECT_EQ(100000001, SliderPositionAt(1, 10, 1000000000));
    // 29 / 100 in single precision is 0.28999999165..., so the position truncates to 28.
    EXPECT_EQ(28, SliderPositionAt(29, 100, 100));
}

TEST(SliderPosition, EmptyChannelAndHugeValuesStayDefined) {
    EXPECT_EQ(0, SliderPositionAt(50, 0, 1000));
    EXPECT_EQ(0, SliderPositionAt(50, -4, 1000));
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(kMax, SliderPositionAt(kMax, 1, kMax));
    EXPECT_EQ(kMin, SliderPositionAt(kMin, 1, kMax));
}

TEST(SliderGeometry, PlayedPartAndThumbPictureFollowTheThumb) {
    EXPECT_EQ(108, PlayedPartRight(100));
    const PicturePlace place = ThumbPicturePlace(100, 17, 15);
    EXPECT_EQ(93, place.x);
    EXPECT_EQ(1, place.y);
    EXPECT_EQ(-2, ThumbPicturePlace(5, 17, 22).y) << "(17 - 22) / 2 truncates toward zero";
}

TEST(TipLayout, ShortTextGetsTheSmallestWindowWithCentredText) {
    const TipSize size = TipWindowSize(50, 12); // 12 * (0 + 2) = 24 is below 26
    EXPECT_EQ(100, size.width);
    EXPECT_EQ(36, size.height);
    EXPECT_TRUE(TipTextCentred(size.width, size.height));
}

TEST(TipLayout, LongTextWrapsAtFiveHundredPixelsWithOneSpareLine) {
    const TipSize size = TipWindowSize(1200, 16);
    EXPECT_EQ(510, size.width);
    EXPECT_EQ(74, size.height); // 16 * (2 + 2) + 10
    EXPECT_FALSE(TipTextCentred(size.width, size.height));

    EXPECT_EQ(320, TipWindowSize(310, 16).width);
    EXPECT_EQ(42, TipWindowSize(310, 16).height) << "26 and more is not rounded up to 36";
    EXPECT_EQ(36, TipWindowSize(10, 13).height) << "13 * 2 = 26, plus the margins";
    EXPECT_EQ(101, TipWindowSize(91, 13).width);
    EXPECT_FALSE(TipTextCentred(101, 36));
    EXPECT_FALSE(TipTextCentred(100, 37));
}

TEST(TipLayout, AbsurdSizesDoNotOverflow) {
    const TipSize size = TipWindowSize(std::numeric_limits<int32_t>::max(), 1000000);
    EXPECT_EQ(510, size.width);
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), size.height);
    EXPECT_EQ(36, TipWindowSize(-5, -5).height);
}

TEST(TipLayout, CentredOnTheOwnerAndKeptInsideTheWorkArea) {
    const TipRect work = {0, 0, 1024, 738};
    TipPoint p = CentreInWorkArea({100, 100, 500, 400}, {100, 36}, work);
    EXPECT_EQ(250, p.x);
    EXPECT_EQ(232, p.y);
    p = CentreInWorkArea({-300, -200, -100, 0}, {100, 36}, work);
    EXPECT_EQ(0, p.x) << "an owner off the left edge";
    EXPECT_EQ(0, p.y);
    p = CentreInWorkArea({900, 700, 1100, 800}, {510, 74}, work);
    EXPECT_EQ(1024 - 510, p.x);
    EXPECT_EQ(738 - 74, p.y);
    p = CentreInWorkArea({0, 0, 200, 100}, {2000, 1000}, work);
    EXPECT_EQ(0, p.x) << "wider than the work area: its left edge wins";
    EXPECT_EQ(0, p.y);
}

TEST(ButtonFace, PressedBeatsHoverAndDisabledBeatsAll) {
    ButtonState s;
    s.hoverTracking = true;
    EXPECT_EQ(ButtonFace::Normal, ChooseButtonFace(s));
    s.focused = true;
    EXPECT_EQ(ButtonFace::Normal, ChooseButtonFace(s)) << "with hover tracking focus is not hover";
    s.mouseOver = true;
    EXPECT_EQ(ButtonFace::Hover, ChooseButtonFace(s));
    s.pressed = true;
    EXPECT_EQ(ButtonFace::Pressed, ChooseButtonFace(s));
    s.enabled = false;
    EXPECT_EQ(ButtonFace::Disabled, ChooseButtonFace(s));

    ButtonState keyboard;
    keyboard.mouseOver = true;
    EXPECT_EQ(ButtonFace::Normal, ChooseButtonFace(keyboard))
        << "without tracking the mouse is ignored";
    keyboard.focused = true;
    EXPECT_EQ(ButtonFace::Hover, ChooseButtonFace(keyboard));
}

} // namespace
