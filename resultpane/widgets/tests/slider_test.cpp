// CSliderCtrlEx on a real trackbar: jumping to the clicked position,
// dragging, the release notice, the idle-only position updates, the focus,
// and the three pictures following the thumb on the screen.
#include "slider_ctrl_ex.h"
#include "test_fixture.h"
#include "test_pictures.h"
#include "widget_test_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

constexpr int kSliderId = 204;
constexpr int kTop = 20, kHeight = 17;
constexpr int kChannelWidth = 400;

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        ASSERT_TRUE(m_parent.Create(600, 80, RGB(255, 255, 255)));
        m_window = CreateWindowW(
            TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, 0, kTop, 500,
            kHeight, m_parent.Hwnd(), reinterpret_cast<HMENU>(kSliderId), nullptr, nullptr);
        ASSERT_NE(nullptr, m_window);
        // Size the control so that its channel is exactly 400 pixels wide.
        const int margin = 500 - ChannelWidth();
        SetWindowPos(m_window, nullptr, 0, 0, kChannelWidth + margin, kHeight,
                     SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(kChannelWidth, ChannelWidth());
        SendMessageW(m_window, TBM_SETRANGE, TRUE, MAKELPARAM(0, 1000));
        ASSERT_TRUE(m_slider.Subclass(m_window));
    }

    int ChannelWidth() const {
        RECT channel = {};
        SendMessageW(m_window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        return channel.right - channel.left;
    }
    int Position() const { return static_cast<int>(SendMessageW(m_window, TBM_GETPOS, 0, 0)); }
    int ThumbLeft() const {
        RECT thumb = {};
        SendMessageW(m_window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        return thumb.left;
    }
    void Press(int x) { SendMessageW(m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8)); }
    void Move(int x) { SendMessageW(m_window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 8)); }
    void Release(int x) { SendMessageW(m_window, WM_LBUTTONUP, 0, MAKELPARAM(x, 8)); }

    WidgetTestWindow m_parent;
    HWND m_window = nullptr;
    CSliderCtrlEx m_slider;
};

TEST_F(SliderTest, ClickJumpsToTheClickedFractionOfTheChannel) {
    Press(100);
    EXPECT_EQ(250, Position()) << "100 of 400 pixels of a 0..1000 range";
    EXPECT_TRUE(m_slider.IsDragging());
    Release(100);
    Press(0);
    EXPECT_EQ(0, Position());
    Release(0);
    Press(kChannelWidth + 50);
    EXPECT_EQ(1000, Position()) << "beyond the channel: clamped to the range";
    Release(kChannelWidth + 50);
    SendMessageW(m_window, TBM_SETRANGE, TRUE, MAKELPARAM(0, 7));
    Press(171);
    EXPECT_EQ(2, Position()) << "171 / 400 * 7 is 2.99: truncated, not rounded";
}

TEST_F(SliderTest, DragFollowsTheMouseAndTheReleaseTellsTheParent) {
    Move(300);
    EXPECT_EQ(0, Position()) << "moving without a press changes nothing";
    Press(100);
    Move(200);
    EXPECT_EQ(500, Position());
    Move(360);
    // 360 / 400 in single precision is 0.89999997..., so not quite 900.
    EXPECT_EQ(899, Position());
    EXPECT_TRUE(m_parent.scrolls.empty()) << "nothing is reported while dragging";
    Release(360);
    EXPECT_FALSE(m_slider.IsDragging());
    ASSERT_EQ(1u, m_parent.scrolls.size());
    EXPECT_EQ(static_cast<WPARAM>(SB_LINERIGHT), m_parent.scrolls[0].wParam);
    EXPECT_EQ(0, m_parent.scrolls[0].lParam);
    Move(40);
    EXPECT_EQ(899, Position()) << "the drag has ended";
    EXPECT_EQ(nullptr, GetCapture()) << "no capture is taken";
}

TEST_F(SliderTest, PositionFromTheOwnerWaitsForTheDragToEnd) {
    m_slider.SetPosIfIdle(300);
    EXPECT_EQ(300, Position());
    Press(40);
    m_slider.SetPosIfIdle(700);
    EXPECT_EQ(100, Position()) << "the operator's drag wins";
    Release(40);
    m_slider.SetPosIfIdle(700);
    EXPECT_EQ(700, Position());
}

TEST_F(SliderTest, HandsTheFocusToItsParent) {
    SetFocus(m_window);
    EXPECT_EQ(m_parent.Hwnd(), GetFocus());
}

TEST_F(SliderTest, WithoutPicturesItIsItsBackgroundColour) {
    m_slider.SetBkColor(RGB(10, 200, 30));
    m_slider.SetPosIfIdle(500);
    const PixelBuffer shown = PaintAndCapture(m_parent.Hwnd());
    for (int x = 0; x < kChannelWidth; x += 13)
        ASSERT_EQ(Rgb(10, 200, 30), shown.At(x, kTop + 8)) << x << ": no channel, no thumb";
}

TEST_F(SliderTest, PlayedPartAndThumbFollowThePosition) {
    const std::wstring folder = MakeLocalScratchFolder("SliderPictures");
    const std::wstring channel = folder + L"\\bk.png", played = folder + L"\\over.png",
                       thumb = folder + L"\\thumb.png";
    ASSERT_TRUE(WriteSolidPicture(channel, 4, kHeight, 0xFF0000FFu));
    ASSERT_TRUE(WriteSolidPicture(played, 4, kHeight, 0xFF00FF00u));
    // A red 15 x 9 thumb with transparent rows at the top and bottom.
    ASSERT_TRUE(WritePicture(
        thumb, 15, 9, [](int, int y) { return y == 0 || y == 8 ? 0x00000000u : 0xFFFF0000u; }));
    m_slider.SetBkColor(RGB(0, 0, 0));
    m_slider.SetBkImage(channel.c_str());
    m_slider.SetOverBkImage(played.c_str());
    m_slider.SetThumbImage(thumb.c_str());
    m_slider.SetPosIfIdle(250);
    PixelBuffer shown = PaintAndCapture(m_parent.Hwnd());
    int left = ThumbLeft();
    const int middle = kTop + kHeight / 2;
    EXPECT_EQ(Rgb(0, 255, 0), shown.At(2, middle)) << "played part";
    EXPECT_EQ(Rgb(0, 255, 0), shown.At(left - 10, middle));
    EXPECT_EQ(Rgb(255, 0, 0), shown.At(left, middle)) << "thumb";
    EXPECT_EQ(Rgb(255, 0, 0), shown.At(left - 7, middle))
        << "thumb picture starts 7 left of the thumb";
    EXPECT_EQ(Rgb(0, 255, 0), shown.At(left - 7, kTop + 4)) << "above the thumb picture: played";
    EXPECT_EQ(Rgb(0, 255, 0), shown.At(left + 7, kTop + 4)) << "played part ends at thumb left + 8";
    EXPECT_EQ(Rgb(0, 0, 255), shown.At(left + 8, kTop + 4));
    EXPECT_EQ(Rgb(0, 0, 255), shown.At(left + 40, middle)) << "channel ahead of the thumb";

    // Moved on by the owner: the whole stretch up to the new thumb is played.
    const int oldLeft = left;
    m_slider.SetPosIfIdle(750);
    UpdateWindow(m_window);
    shown = CaptureWindow(m_parent.Hwnd());
    left = ThumbLeft();
    ASSERT_GT(left, oldLeft + 100);
    EXPECT_EQ(Rgb(0, 255, 0), shown.At(oldLeft + 40, middle)) << "between the old and new thumb";
    EXPECT_EQ(Rgb(255, 0, 0), shown.At(left, middle));
    EXPECT_EQ(Rgb(0, 0, 255), shown.At(left + 40, middle));

    // And back by a click: the stretch behind the new thumb is channel again.
    Press(100);
    Release(100);
    UpdateWindow(m_window);
    shown = CaptureWindow(m_parent.Hwnd());
    EXPECT_EQ(Rgb(0, 0, 255), shown.At(oldLeft + 40, middle));
    EXPECT_EQ(Rgb(255, 0, 0), shown.At(ThumbLeft(), middle));
}

} // namespace
