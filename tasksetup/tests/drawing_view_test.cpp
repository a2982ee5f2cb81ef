// The drawing view on a real window: clicks sent as mouse messages, shapes
// read back from the pixels the view shows and from its parameter texts.
#include "control_site.h"
#include "draw_roi_tripwire_view.h"
#include "test_fixture.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kPictureColor = 0x284028;

class DrawingViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.Create(700, 700));
        m_static = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                   m_parent.Hwnd(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_view.Subclass(m_static));
        m_folder =
            MakeLocalScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // A 640 x 360 picture shown at its own size.
    void LoadPicture(int width = 640, int height = 360) {
        const std::wstring path = m_folder + L"\\picture.png";
        ASSERT_TRUE(WriteSolidPicture(path, width, height, kPictureColor));
        m_view.SetArea(0, 0, 640, 640);
        ASSERT_TRUE(m_view.LoadImage(path));
    }
    void Click(int x, int y) {
        SendMessageW(m_static, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageW(m_static, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(m_static, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void RightClick(int x, int y) {
        SendMessageW(m_static, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        SendMessageW(m_static, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    }
    PixelBuffer Shown() { return CaptureAfterPaint(m_static); }

    TestParentWindow m_parent;
    HWND m_static = nullptr;
    CDrawROIAndTripWireView m_view;
    std::wstring m_folder;
};

const wchar_t kRegionOfInterest[] =
    L"UDR_exist=1&UDR_setting=<udr><attr>1</attr><polynum>1</polynum><polyinfo><vertnum>4"
    L"</vertnum><vertinfo><x>0.250000</x><y>0.250000</y><x>0.750000</x><y>0.250000</y>"
    L"<x>0.750000</x><y>0.750000</y><x>0.250000</x><y>0.750000</y></vertinfo></polyinfo></udr>";

TEST_F(DrawingViewTest, FourClicksCloseARegionOfEitherKind) {
    LoadPicture();
    const struct {
        bool interest;
        uint32_t color;
    } kinds[] = {{true, kGreen}, {false, kOrange}};
    for (const auto& kind : kinds) {
        SendMessageW(m_static, kRegionMessage, kind.interest ? 1 : 0, 0);
        EXPECT_EQ(L"", m_view.RegionString()) << "nothing complete yet";
        for (auto [x, y] : {std::pair{160, 90}, {480, 90}, {480, 270}, {160, 270}})
            Click(x, y);
        const PixelBuffer shown = Shown();
        // Each side at its middle, the closing side included.
        for (auto [x, y] : {std::pair{320, 90}, {480, 180}, {320, 270}, {160, 180}})
            EXPECT_TRUE(ColorNear(shown, x, y, 1, kind.color)) << x << "," << y;
        EXPECT_EQ(kPictureColor, shown.At(320, 180)) << "the inside stays the picture";
        EXPECT_EQ(kPictureColor, shown.At(100, 50));
    }
    std::wstring expected = kRegionOfInterest;
    expected.replace(expected.find(L"<attr>1"), 7, L"<attr>0");
    EXPECT_EQ(expected, m_view.RegionString());
}

TEST_F(DrawingViewTest, RubberBandFollowsTheMouseUntilTheLastCorner) {
    LoadPicture();
    SendMessageW(m_static, kRegionMessage, 1, 0);
    Click(100, 100);
    SendMessageW(m_static, WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
    EXPECT_TRUE(ColorNear(Shown(), 200, 100, 1, kGreen));
    SendMessageW(m_static, WM_MOUSEMOVE, 0, MAKELPARAM(100, 300));
    const PixelBuffer moved = Shown();
    EXPECT_TRUE(ColorNear(moved, 100, 200, 1, kGreen));
    EXPECT_FALSE(ColorNear(moved, 200, 100, 1, kGreen)) << "the old band is gone";
}

TEST_F(DrawingViewTest, TripwireDirectionByClickSideAndRightClickRestart) {
    LoadPicture();
    SendMessageW(m_static, kTripwireMessage, 1, 0);
    Click(100, 180);
    Click(540, 180);
    // Arrow 1 crosses the line near a quarter of it, arrow 2 near three
    // quarters; both show while the direction is 0.
    const auto arrows = [&] {
        const PixelBuffer shown = Shown();
        EXPECT_TRUE(ColorNear(shown, 320, 180, 0, kRed));
        return std::pair{ColorNear(shown, 210, 150, 2, kBlue),
                         ColorNear(shown, 430, 150, 2, kBlue)};
    };
    EXPECT_EQ(std::pair(true, true), arrows());
    EXPECT_EQ(L"tripwire_x1=0.156250&tripwire_y1=0.500000&tripwire_x2=0.843750&tripwire_y2=0.500000"
              L"&tripwire_crossdir=0",
              m_view.TripwireString());

    Click(320, 50); // above the line: side A
    EXPECT_EQ(std::pair(true, false), arrows());
    EXPECT_NE(std::wstring::npos, m_view.TripwireString().find(L"crossdir=1"));
    Click(320, 60); // the same side again: back to both
    EXPECT_EQ(std::pair(true, true), arrows());
    Click(320, 300); // below: side B
    EXPECT_EQ(std::pair(false, true), arrows());
    EXPECT_NE(std::wstring::npos, m_view.TripwireString().find(L"crossdir=-1"));

    RightClick(320, 300);
    EXPECT_FALSE(ColorNear(Shown(), 320, 180, 2, kRed)) << "the line is gone";
    EXPECT_EQ(L"", m_view.TripwireString());
    Click(100, 300);
    Click(500, 300);
    EXPECT_TRUE(ColorNear(Shown(), 300, 300, 0, kRed));
    EXPECT_NE(std::wstring::npos, m_view.TripwireString().find(L"crossdir=0"));

    SendMessageW(m_static, kTripwireMessage, 0, 0);
    EXPECT_FALSE(ColorNear(Shown(), 300, 300, 2, kRed)) << "hidden";
    SendMessageW(m_static, kTripwireMessage, 1, 0);
    EXPECT_TRUE(ColorNear(Shown(), 300, 300, 0, kRed)) << "the finished line comes back";
}

TEST_F(DrawingViewTest, ShapesFromRecordsAreReadOnlyWhenAsked) {
    LoadPicture();
    RegionSetting region;
    region.attr = 1;
    region.x = {0.25, 0.75, 0.75, 0.25};
    region.y = {0.25, 0.25, 0.75, 0.75};
    TripwireSetting tripwire;
    tripwire.crossdir = 1;
    tripwire.x1 = 0.25;
    tripwire.y1 = 0.5;
    tripwire.x2 = 0.75;
    tripwire.y2 = 0.5;
    m_view.SetRegion(region, true);
    m_view.SetTripwire(tripwire, true);
    const std::wstring wire = m_view.TripwireString();
    EXPECT_EQ(kRegionOfInterest, m_view.RegionString());

    Click(320, 40); // would turn the direction
    RightClick(320, 40);
    EXPECT_EQ(kRegionOfInterest, m_view.RegionString());
    EXPECT_EQ(wire, m_view.TripwireString());
    const PixelBuffer shown = Shown();
    EXPECT_TRUE(ColorNear(shown, 320, 90, 1, kGreen));
    EXPECT_TRUE(ColorNear(shown, 250, 180, 0, kRed));

    tripwire.crossdir = -2;
    m_view.SetTripwire(tripwire, false);
    EXPECT_EQ(L"", m_view.TripwireString());
    EXPECT_FALSE(ColorNear(Shown(), 250, 180, 2, kRed));
}

TEST_F(DrawingViewTest, LargePictureFitsItsAreaKeepingTheAspectRatio) {
    LoadPicture(1920, 1080);
    RECT placed;
    GetWindowRect(m_static, &placed);
    MapWindowPoints(nullptr, m_parent.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(0, placed.left);
    EXPECT_EQ(140, placed.top);
    EXPECT_EQ(640, placed.right);
    EXPECT_EQ(500, placed.bottom);
    int width = 0, height = 0;
    m_view.GetImageSize(width, height);
    EXPECT_EQ(1920, width);
    EXPECT_EQ(1080, height);
    EXPECT_EQ(kPictureColor, Shown().At(639, 359));
}

} // namespace
