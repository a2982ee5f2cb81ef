// CTransparentTipsWnd as a real layered popup: its size for short and long
// texts, its rounded region, centring on the owner inside the work area, the
// fades, the hide timer, the mouse, and a new message replacing a shown one.
#include "gdi.h"
#include "message_wait.h"
#include "transparent_tips_wnd.h"
#include "widget_test_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The text's extent in one line, measured independently of the tip with
// the font the tip uses: 宋体 at 12 points.
SIZE TextExtent(const std::wstring& text) {
    WindowDC screen(nullptr);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(12, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"宋体");
    GdiFont handle(CreateFontIndirectW(&font));
    SelectObjectScope select(screen.Get(), handle.Get());
    SIZE extent = {};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// A line of the tip's font (宋体 at 12 points, as the fonts installed here draw
// it) is 19 pixels high.
constexpr LONG kLineHeight = 19;

SIZE WindowSize(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

POINT WindowCentre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

BYTE WindowAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
    return alpha;
}

// The columns in which the tip shows text (anything not black).
struct TextColumns {
    int first = -1;
    int last = -1;
};
TextColumns TextColumnsOf(const PixelBuffer& pixels) {
    TextColumns columns;
    for (int x = 0; x < pixels.width; ++x) {
        for (int y = 0; y < pixels.height; ++y) {
            if (pixels.At(x, y) != 0) {
                if (columns.first < 0)
                    columns.first = x;
                columns.last = x;
                break;
            }
        }
    }
    return columns;
}

const std::wstring kLongText =
    L"截图成功，文件保存在：C:\\Users\\operator\\Pictures\\captures\\cam01_0012_0300.jpg "
    L"and the same message once more to make it run over several lines of the tip window.";

class TipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(0, 0);
        // A mouse move an earlier test left queued would reach this test's tip
        // where it takes that test's place, and stop its hide timer.
        MSG stale;
        while (PeekMessageW(&stale, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
        ASSERT_TRUE(m_owner.Create(400, 300, RGB(255, 255, 255), 150, 120));
        ASSERT_TRUE(m_tip.Create(m_owner.Hwnd()));
        EXPECT_FALSE(IsWindowVisible(m_tip.Hwnd())) << "created hidden";
        m_tip.SetOwner(m_owner.Hwnd());
    }

    WidgetTestWindow m_owner;
    CTransparentTipsWnd m_tip;
};

TEST_F(TipsTest, PopupIsLayeredOwnedByItsParentAndStartsTranslucent) {
    HWND tip = m_tip.Hwnd();
    EXPECT_NE(0, GetWindowLongPtrW(tip, GWL_STYLE) & WS_POPUP);
    EXPECT_NE(0, GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(m_owner.Hwnd(), GetWindow(tip, GW_OWNER));
    EXPECT_EQ(m_owner.Hwnd(), m_tip.Owner());
    EXPECT_EQ(100, WindowAlpha(tip));
}

TEST_F(TipsTest, ShortTextGetsTheSmallestWidthCentredOnTheOwner) {
    const std::wstring text = L"停止播放";
    m_tip.SetText(text);
    const SIZE extent = TextExtent(text);
    ASSERT_LT(extent.cx, 90);
    ASSERT_EQ(kLineHeight, extent.cy);
    const SIZE size = WindowSize(m_tip.Hwnd());
    EXPECT_EQ(100, size.cx);
    EXPECT_EQ(2 * 19 + 10, size.cy) << "one line and one more, and the margins";
    const POINT tip = WindowCentre(m_tip.Hwnd()), owner = WindowCentre(m_owner.Hwnd());
    EXPECT_NEAR(owner.x, tip.x, 1);
    EXPECT_NEAR(owner.y, tip.y, 1);
}

TEST_F(TipsTest, LongTextWrapsAtFiveHundredPixelsWithRoomForOneMoreLine) {
    m_tip.SetText(kLongText);
    const SIZE extent = TextExtent(kLongText);
    ASSERT_GE(extent.cx, 1000);
    ASSERT_LT(extent.cx, 1500) << "three lines of text";
    ASSERT_EQ(kLineHeight, extent.cy);
    const SIZE size = WindowSize(m_tip.Hwnd());
    EXPECT_EQ(510, size.cx);
    EXPECT_EQ(4 * 19 + 10, size.cy) << "three lines and one more, and the margins";
}

TEST_F(TipsTest, RegionHasRoundedCorners) {
    m_tip.SetText(L"截图失败！");
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, GetWindowRgn(m_tip.Hwnd(), region.Get()));
    const SIZE size = WindowSize(m_tip.Hwnd());
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), size.cx - 1, size.cy - 1));
    EXPECT_TRUE(PtInRegion(region.Get(), size.cx / 2, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, size.cy / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), size.cx - 1, size.cy / 2));
}

TEST_F(TipsTest, StaysInsideTheWorkAreaOfTheOwnersMonitor) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(m_owner.Hwnd(), nullptr, work.right - 60, work.bottom - 20, 400, 300,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_tip.SetText(kLongText);
    RECT tip;
    GetWindowRect(m_tip.Hwnd(), &tip);
    EXPECT_EQ(work.right, tip.right);
    EXPECT_EQ(work.bottom, tip.bottom);
    SetWindowPos(m_owner.Hwnd(), nullptr, work.left - 390, work.top - 290, 400, 300,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_tip.ShowTips(1); // showing centres it again
    GetWindowRect(m_tip.Hwnd(), &tip);
    EXPECT_EQ(work.left, tip.left);
    EXPECT_EQ(work.top, tip.top);
}

TEST_F(TipsTest, ShowingFadesInWithoutTakingTheFocusAndStartsTheHideTimer) {
    SetFocus(m_owner.Hwnd());
    m_tip.SetText(L"播放失败，文件不存在！");
    m_tip.ShowTips(1);
    EXPECT_TRUE(IsWindowVisible(m_tip.Hwnd()));
    EXPECT_EQ(149, WindowAlpha(m_tip.Hwnd())) << "faded in to 149";
    EXPECT_NE(0u, m_tip.TimerId());
    EXPECT_EQ(m_owner.Hwnd(), GetFocus());
    m_tip.ShowTips(0);
    EXPECT_FALSE(IsWindowVisible(m_tip.Hwnd()));
    EXPECT_EQ(0u, m_tip.TimerId());
    EXPECT_EQ(1, WindowAlpha(m_tip.Hwnd())) << "faded out to 1 before hiding";
}

TEST_F(TipsTest, TextIsLeftAlignedUnlessTheTipHasTheSmallestSize) {
    // A 12-point line is higher than 12 pixels, so even a short text gets a
    // taller tip than 100 x 36, and its text starts at the margin.
    m_tip.SetText(L"截图");
    m_tip.ShowTips(1);
    PixelBuffer shown = PaintAndCapture(m_tip.Hwnd());
    ASSERT_EQ(100, shown.width);
    ASSERT_GT(shown.height, 36);
    EXPECT_EQ(0u, shown.At(2, shown.height / 2)) << "black background";
    TextColumns text = TextColumnsOf(shown);
    ASSERT_GE(text.first, 0) << "white text";
    EXPECT_GE(text.first, 5) << "inside the margin";
    EXPECT_LE(text.first, 8) << "left-aligned";

    // Exactly 100 x 36: the text is centred.
    SetWindowPos(m_tip.Hwnd(), nullptr, 0, 0, 100, 36, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    shown = PaintAndCapture(m_tip.Hwnd());
    ASSERT_EQ(36, shown.height);
    text = TextColumnsOf(shown);
    ASSERT_GE(text.first, 0);
    EXPECT_NEAR(99 - text.last, text.first, 2) << "as much room left as right";
    EXPECT_GT(text.first, 20);

    m_tip.SetText(kLongText);
    m_tip.ShowTips(1);
    shown = PaintAndCapture(m_tip.Hwnd());
    ASSERT_EQ(510, shown.width);
    text = TextColumnsOf(shown);
    EXPECT_GE(text.first, 5);
    EXPECT_LE(text.first, 8);
    EXPECT_LT(text.last, 505) << "wrapped inside the right margin";
}

TEST_F(TipsTest, NewMessageWhileOneIsShowingReplacesIt) {
    m_tip.SetText(L"截图");
    m_tip.ShowTips(1);
    const SIZE first = WindowSize(m_tip.Hwnd());
    m_tip.SetText(kLongText);
    m_tip.ShowTips(1);
    EXPECT_TRUE(IsWindowVisible(m_tip.Hwnd()));
    EXPECT_EQ(149, WindowAlpha(m_tip.Hwnd()));
    EXPECT_EQ(kLongText, m_tip.Text());
    EXPECT_NE(first.cx, WindowSize(m_tip.Hwnd()).cx);
    EXPECT_NE(0u, m_tip.TimerId());
    // Still one tip window for the owner.
    int tips = 0;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == m_owner.Hwnd())
            ++tips;
    }
    EXPECT_EQ(1, tips);
}

TEST_F(TipsTest, HideTimerWaitsWhileTheCursorRestsOnTheTip) {
    m_tip.SetText(L"截图");
    m_tip.ShowTips(1);
    const POINT centre = WindowCentre(m_tip.Hwnd());
    SetCursorPos(centre.x, centre.y);
    SendMessageW(m_tip.Hwnd(), WM_TIMER, m_tip.TimerId(), 0);
    EXPECT_TRUE(IsWindowVisible(m_tip.Hwnd()));
    SetCursorPos(0, 0);
    SendMessageW(m_tip.Hwnd(), WM_TIMER, m_tip.TimerId(), 0);
    EXPECT_FALSE(IsWindowVisible(m_tip.Hwnd()));
    EXPECT_EQ(0u, m_tip.TimerId());
}

TEST_F(TipsTest, HidesItselfTwoSecondsAfterShowing) {
    m_tip.SetText(L"截图");
    const ULONGLONG shownAt = GetTickCount64();
    m_tip.ShowTips(1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !IsWindowVisible(m_tip.Hwnd()); }, 5000));
    // The two seconds run from the end of the fade-in.
    EXPECT_GE(GetTickCount64() - shownAt, 2000u) << "shown for two seconds";
}

TEST_F(TipsTest, MouseOverStopsTheTimerAndLeavingDestroysTheTip) {
    m_tip.SetText(L"截图");
    m_tip.ShowTips(1);
    SendMessageW(m_tip.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(0u, m_tip.TimerId());
    EXPECT_TRUE(IsWindowVisible(m_tip.Hwnd()));
    SendMessageW(m_tip.Hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(m_tip.Exists());
    // The owner makes it again for its next message.
    ASSERT_TRUE(m_tip.Create(m_owner.Hwnd()));
    m_tip.SetText(L"下载");
    m_tip.ShowTips(1);
    EXPECT_TRUE(IsWindowVisible(m_tip.Hwnd()));
}

TEST_F(TipsTest, DestroyingTheObjectDestroysItsWindow) {
    HWND window = nullptr;
    {
        CTransparentTipsWnd tip;
        ASSERT_TRUE(tip.Create(m_owner.Hwnd()));
        tip.SetText(L"截图");
        tip.ShowTips(1);
        window = tip.Hwnd();
    }
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
