// CImageButton on a real button window: the picture of each state read back
// from the screen, the mouse and keyboard driving the states, the clicked
// command, sizing, the tooltip and the pictures' alpha.
#include "image_button.h"
#include "test_fixture.h"
#include "test_pictures.h"
#include "widget_test_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

constexpr int kButtonId = 101;
constexpr int kLeft = 20, kTop = 20;
constexpr int kWidth = 40, kHeight = 20;
const COLORREF kParentColour = RGB(40, 80, 120);
const uint32_t kParent = Rgb(40, 80, 120);
const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255),
               kGrey = Rgb(128, 128, 128);

// Points of the button in the parent's client area: its middle, its
// half-transparent left band and its transparent right band.
constexpr int kMiddleX = kLeft + 20, kMiddleY = kTop + 10;
constexpr int kHalfX = kLeft + 4, kClearX = kLeft + 36;

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            MakeLocalScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        // Normal: red, with a band of (B 200, G 100, R 50, A 128) at the left
        // and a transparent band at the right.
        ASSERT_TRUE(WritePicture(Path(L"normal.png"), kWidth, kHeight, [](int x, int) -> uint32_t {
            if (x < 8)
                return 0x803264C8u;
            return x >= 32 ? 0x00FFFFFFu : 0xFFFF0000u;
        }));
        ASSERT_TRUE(WriteSolidPicture(Path(L"hover.png"), kWidth, kHeight, 0xFF00FF00u));
        ASSERT_TRUE(WriteSolidPicture(Path(L"pressed.png"), kWidth, kHeight, 0xFF0000FFu));
        ASSERT_TRUE(WriteSolidPicture(Path(L"disabled.png"), kWidth, kHeight, 0xFF808080u));
        ASSERT_TRUE(m_parent.Create(200, 100, kParentColour));
        m_buttonWindow = CreateWindowW(L"BUTTON", L"text", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                       kLeft, kTop, 75, 23, m_parent.Hwnd(),
                                       reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
        ASSERT_NE(nullptr, m_buttonWindow);
        ASSERT_TRUE(m_button.Subclass(m_buttonWindow));
        SetCursorPos(0, 0);
    }

    std::wstring Path(const wchar_t* name) const { return m_folder + L"\\" + name; }
    int SetAllImages() {
        return m_button.SetImages(Path(L"normal.png").c_str(), Path(L"hover.png").c_str(),
                                  Path(L"pressed.png").c_str(), Path(L"disabled.png").c_str());
    }
    uint32_t Shown(int x = kMiddleX, int y = kMiddleY) const {
        return PaintAndCapture(m_parent.Hwnd()).At(x, y);
    }
    // Puts the cursor over the button and tells it, as the system would.
    void Hover() {
        const POINT p = ScreenPoint(m_buttonWindow, 20, 10);
        SetCursorPos(p.x, p.y);
        SendMessageW(m_buttonWindow, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    }

    std::wstring m_folder;
    WidgetTestWindow m_parent;
    HWND m_buttonWindow = nullptr;
    CImageButton m_button;
};

TEST_F(ImageButtonTest, ShowsTheNormalHoverPressedAndDisabledPictures) {
    ASSERT_EQ(1, SetAllImages());
    EXPECT_EQ(kRed, Shown()) << "normal";
    Hover();
    EXPECT_EQ(ButtonFace::Hover, m_button.CurrentFace());
    EXPECT_EQ(kGreen, Shown()) << "hover";
    SendMessageW(m_buttonWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(ButtonFace::Pressed, m_button.CurrentFace());
    EXPECT_EQ(kBlue, Shown()) << "pressed";
    EXPECT_TRUE(m_parent.commands.empty()) << "no click before the release";
    SendMessageW(m_buttonWindow, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    ASSERT_EQ(1u, m_parent.commands.size());
    EXPECT_EQ(MAKEWPARAM(kButtonId, BN_CLICKED), m_parent.commands[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(m_buttonWindow), m_parent.commands[0].lParam);
    EXPECT_EQ(kGreen, Shown()) << "hovered again after the click";
    EnableWindow(m_buttonWindow, FALSE);
    EXPECT_EQ(kGrey, Shown()) << "disabled wins over hover";
}

TEST_F(ImageButtonTest, PicturesArePremultipliedAndBlendedOverTheParent) {
    ASSERT_EQ(1, SetAllImages());
    // The band's colour (50, 100, 200) at alpha 128 is held as (25, 50, 100)
    // and blended over the parent's (40, 80, 120): c + parent * 127 / 255.
    EXPECT_TRUE(Near(Rgb(25 + 20, 50 + 40, 100 + 60), Shown(kHalfX), 2))
        << std::hex << Shown(kHalfX);
    EXPECT_EQ(kParent, Shown(kClearX)) << "a transparent part shows the parent";
    // The same after a trip through hover: nothing of the hover picture remains.
    Hover();
    PaintAndCapture(m_parent.Hwnd());
    SendMessageW(m_buttonWindow, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(kParent, Shown(kClearX));
    EXPECT_TRUE(Near(Rgb(45, 90, 160), Shown(kHalfX), 2));
}

TEST_F(ImageButtonTest, MissingHoverPictureShowsNothingWhileHovered) {
    ASSERT_EQ(1, m_button.SetImages(Path(L"normal.png").c_str(), nullptr,
                                    Path(L"pressed.png").c_str(), Path(L"normal.png").c_str()));
    Hover();
    EXPECT_EQ(ButtonFace::Hover, m_button.CurrentFace());
    EXPECT_EQ(kParent, Shown()) << "only the parent's background";
    SendMessageW(m_buttonWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(kBlue, Shown());
}

TEST_F(ImageButtonTest, LeavingTheButtonBringsBackTheNormalPicture) {
    ASSERT_EQ(1, SetAllImages());
    Hover();
    ASSERT_EQ(kGreen, Shown());
    SetCursorPos(0, 0);
    // The system notices the cursor has left and sends WM_MOUSELEAVE.
    for (int i = 0; i < 40 && m_button.CurrentFace() != ButtonFace::Normal; ++i)
        PumpMessages(25);
    EXPECT_EQ(ButtonFace::Normal, m_button.CurrentFace());
    EXPECT_EQ(kRed, Shown());
}

TEST_F(ImageButtonTest, ReleasingOutsideTheButtonIsNoClick) {
    ASSERT_EQ(1, SetAllImages());
    Hover();
    SendMessageW(m_buttonWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    // Dragged off the button with the button still down: it no longer looks pressed.
    SendMessageW(m_buttonWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 60));
    EXPECT_NE(ButtonFace::Pressed, m_button.CurrentFace());
    SendMessageW(m_buttonWindow, WM_LBUTTONUP, 0, MAKELPARAM(150, 60));
    EXPECT_TRUE(m_parent.commands.empty());
}

TEST_F(ImageButtonTest, SpaceKeyPressesAndClicks) {
    ASSERT_EQ(1, SetAllImages());
    SetFocus(m_buttonWindow);
    SendMessageW(m_buttonWindow, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(kBlue, Shown());
    SendMessageW(m_buttonWindow, WM_KEYUP, VK_SPACE, 0);
    ASSERT_EQ(1u, m_parent.commands.size());
    EXPECT_EQ(MAKEWPARAM(kButtonId, BN_CLICKED), m_parent.commands[0].wParam);
}

TEST_F(ImageButtonTest, WithoutHoverTrackingTheFocusShowsTheHoverPicture) {
    ASSERT_EQ(1, SetAllImages());
    EXPECT_EQ(CImageButton::kHoverTracking | CImageButton::kAutoSize, m_button.ExtendedStyle());
    m_button.SetExtendedStyle(0, CImageButton::kHoverTracking);
    Hover();
    EXPECT_EQ(kRed, Shown()) << "the mouse is not followed";
    SetFocus(m_buttonWindow);
    EXPECT_EQ(kGreen, Shown());
    SetFocus(m_parent.Hwnd());
    EXPECT_EQ(kRed, Shown());
}

TEST_F(ImageButtonTest, TakesItsNormalPicturesSizeAndFailsWithoutIt) {
    ASSERT_EQ(1, SetAllImages());
    RECT r;
    GetWindowRect(m_buttonWindow, &r);
    EXPECT_EQ(kWidth, r.right - r.left);
    EXPECT_EQ(kHeight, r.bottom - r.top);
    EXPECT_NE(0, GetWindowLongPtrW(m_buttonWindow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    EXPECT_EQ(0, m_button.SetImages(Path(L"absent.png").c_str(), Path(L"hover.png").c_str(),
                                    nullptr, nullptr));
    EXPECT_EQ(kParent, Shown()) << "a failed load leaves no picture at all";
    Hover();
    EXPECT_EQ(kParent, Shown()) << "not even the hover one";
    EXPECT_EQ(0, m_button.SetImages(nullptr, nullptr, nullptr, nullptr));

    // Not a picture at all.
    ASSERT_TRUE(WriteFileBytes(Path(L"junk.png"), "\x89PNG\r\n\x1a\nnot really"));
    EXPECT_EQ(0, m_button.SetImages(Path(L"junk.png").c_str(), nullptr, nullptr, nullptr));
}

TEST_F(ImageButtonTest, PicturesGivenBeforeSubclassingSizeTheButtonThen) {
    CImageButton early;
    ASSERT_EQ(1, early.SetImages(Path(L"hover.png").c_str(), nullptr, nullptr, nullptr));
    HWND other = CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 120, 50, 60, 30,
                               m_parent.Hwnd(), reinterpret_cast<HMENU>(102), nullptr, nullptr);
    ASSERT_TRUE(early.Subclass(other));
    RECT r;
    GetWindowRect(other, &r);
    EXPECT_EQ(kWidth, r.right - r.left);
    EXPECT_EQ(kGreen, Shown(130, 60));
}

std::wstring ToolText(HWND tip, HWND button) {
    wchar_t text[80] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = button;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(ImageButtonTest, ToolTipShowsACopyOfTheTextOverTheWholeButton) {
    ASSERT_EQ(1, SetAllImages());
    HWND tip = m_button.ToolTip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(0, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t text[] = L"截图";
    m_button.SetToolTipText(text);
    text[0] = L'X';
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(L"截图", ToolText(tip, m_buttonWindow));

    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(0, tool.rect.left);
    EXPECT_EQ(kWidth, tool.rect.right);
    EXPECT_EQ(kHeight, tool.rect.bottom);

    m_button.SetToolTipText(L"下载");
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(L"下载", ToolText(tip, m_buttonWindow));
    m_button.SetToolTipText(nullptr);
    EXPECT_EQ(0, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(ImageButtonTest, TheToolTipGoesWithTheButtonWindow) {
    ASSERT_EQ(1, SetAllImages());
    HWND tip = m_button.ToolTip();
    ASSERT_TRUE(IsWindow(tip));
    DestroyWindow(m_parent.Hwnd());
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_FALSE(m_button.IsSubclassed());
    EXPECT_EQ(1, SetAllImages()) << "the object outlives its window";
}

} // namespace
