// The frame dialog (KUIFrameDialog): its skin file's messages and defaults,
// every piece where the skin puts it, the buttons with their hover pictures,
// tooltips and clicks, title-band dragging and double-clicks, the sizing hit
// test, the maximised placement, and the status strip repainted on request.
#include "skin_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr uint32_t kTitleLeft = 0x803010, kTitleMiddle = 0x208040, kTitleRight = 0x4010A0;
constexpr uint32_t kStatusLeft = 0xA06000, kStatusMiddle = 0x00A0A0, kStatusRight = 0xA000A0;
constexpr uint32_t kBorderLeft = 0xE02020, kBorderRight = 0x20E020;
constexpr uint32_t kIcon = 0xF0F000;
constexpr uint32_t kTitleText = 0xF5F5F5;
enum Picture {
    kMinNormal,
    kMinHover,
    kMaxNormal,
    kMaxHover,
    kRestoreNormal,
    kRestoreHover,
    kCloseNormal,
    kCloseHover
};
const char* const kPictureNames[] = {"min_normal",   "min_hover",      "max_normal",
                                     "max_hover",    "restore_normal", "restore_hover",
                                     "close_normal", "close_hover"};

uint32_t PictureColour(int picture) {
    return 0x102000u * static_cast<uint32_t>(picture + 1) + 0x0F;
}

// A skin whose title bar is titleHeight and status bar statusHeight high,
// with borders border wide and the given skin.ini.
TestSkin FrameSkin(const std::string& name, const std::string& ini, int titleHeight = 50,
                   int statusHeight = 35, int border = 8, bool icon = true) {
    TestSkin skin(name);
    skin.Bitmap("Title.bmp",
                Tiles(titleHeight, {{32, kTitleLeft}, {128, kTitleMiddle}, {32, kTitleRight}}));
    skin.Bitmap("Status.bmp",
                Tiles(statusHeight, {{32, kStatusLeft}, {128, kStatusMiddle}, {32, kStatusRight}}));
    skin.Bitmap("Border.bmp", Tiles(32, {{border, kBorderLeft}, {border, kBorderRight}}));
    for (int picture = 0; picture < 8; ++picture)
        skin.Png(std::string(kPictureNames[picture]) + ".png",
                 Solid(23, 23, PictureColour(picture)));
    if (icon)
        skin.Png("Icon.png", Solid(32, 32, kIcon));
    skin.Text("skin.ini", ini);
    return skin;
}

const std::string kCustomIni = "[Frame]\r\nBKColR=20\r\nBKColG=40\r\nBKColB=60\r\n"
                               "HasMaxButton=1\r\nHasMinButton=1\r\nResizable=0\r\n"
                               "CircleAngle=0\r\nTitleHeight=40\r\nStatusHeight=30\r\n"
                               "BorderWidth=6\r\nTitleLeftAndRightWidth=32\r\n"
                               "TitleCenterWidth=128\r\n";

std::string WithKey(std::string ini, const std::string& key, const std::string& value) {
    const size_t at = ini.find(key + "=");
    const size_t end = ini.find("\r\n", at);
    return ini.replace(at, end - at, key + "=" + value);
}

class FrameDialog : public ::testing::Test {
protected:
    // Creates the dialog on skin; message boxes are closed as they open.
    HWND Open(const TestSkin& skin) {
        m_dialog.SetSkinPath(skin.Folder().c_str());
        MessageBoxCloser boxes;
        if (m_dialog.Create() == nullptr)
            return nullptr;
        m_boxes = boxes.Texts();
        ShowPainted(m_dialog.Hwnd());
        return m_dialog.Hwnd();
    }
    PixelBuffer Shown() {
        UpdateWindow(m_dialog.Hwnd());
        return CaptureWindow(m_dialog.Hwnd());
    }
    SIZE ClientSize() {
        RECT client = {};
        GetClientRect(m_dialog.Hwnd(), &client);
        return SIZE{client.right, client.bottom};
    }
    LRESULT HitTest(int x, int y) {
        POINT point = {x, y};
        ClientToScreen(m_dialog.Hwnd(), &point);
        return SendMessageW(m_dialog.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }
    void Click(int x, int y) {
        SendMouse(m_dialog.Hwnd(), WM_LBUTTONDOWN, x, y);
        SendMouse(m_dialog.Hwnd(), WM_LBUTTONUP, x, y);
    }
    std::wstring ToolText(UINT id) {
        HWND tips = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindToolTips, reinterpret_cast<LPARAM>(&tips));
        wchar_t text[80] = {};
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.hwnd = m_dialog.Hwnd();
        tool.uId = id;
        tool.lpszText = text;
        if (tips == nullptr ||
            !SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
            return L"<none>";
        SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        m_toolRect = tool.rect;
        return text;
    }
    static BOOL CALLBACK FindToolTips(HWND window, LPARAM found) {
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (wcscmp(className, TOOLTIPS_CLASSW) != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    Recorder<KUIFrameDialog> m_dialog{IDD_TEST_FRAME};
    std::vector<std::wstring> m_boxes;
    RECT m_toolRect = {};
};

TEST_F(FrameDialog, AMissingSectionGivesSevenMessagesInOrderAndTheDefaults) {
    ASSERT_NE(nullptr, Open(FrameSkin("frame_defaults", "[Other]\r\nTitleHeight=40\r\n")));
    EXPECT_EQ(m_boxes, std::vector<std::wstring>(
                           {L"是否可以缩放有误！", L"框架圆角大小有误！", L"标题栏高度有误！",
                            L"状态栏高度有误！", L"左、右边图片宽度有误！",
                            L"标题栏图片左边、右边宽度有误！", L"标题栏图片中间宽度有误！"}));
    const SIZE size = ClientSize();
    const PixelBuffer shown = Shown();
    EXPECT_EQ(shown.At(size.cx / 2, size.cy / 2), 0x808080u);
    EXPECT_EQ(shown.At(size.cx / 2, 49), kTitleMiddle);
    EXPECT_NE(shown.At(size.cx / 2, 50), kTitleMiddle);
    EXPECT_EQ(shown.At(size.cx / 2, size.cy - 35), kStatusMiddle);
    EXPECT_NE(shown.At(size.cx / 2, size.cy - 36), kStatusMiddle);
    RECT content = {};
    m_dialog.GetClientRectEX(&content);
    EXPECT_EQ(std::vector<LONG>({content.left, content.top, content.right, content.bottom}),
              std::vector<LONG>({8, 50, size.cx - 8, size.cy - 35}));
    EXPECT_EQ(GetWindowLongW(m_dialog.Hwnd(), GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME),
              WS_POPUP);
    EXPECT_EQ(GetWindowLongW(m_dialog.Hwnd(), GWL_EXSTYLE), 0);
    EXPECT_TRUE(m_dialog.IsKindOf(&KUIFrameDialog::classKUIFrameDialog));

    // A fixed frame leaves its edges to the system, and maximises flush.
    EXPECT_EQ(HitTest(2, 2), HTCLIENT);
    EXPECT_EQ(HitTest(size.cx - 20, size.cy - 20), HTCLIENT);
    MINMAXINFO limits = {};
    SendMessageW(m_dialog.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(std::vector<LONG>({limits.ptMaxPosition.x, limits.ptMaxSize.x, limits.ptMaxSize.y}),
              std::vector<LONG>({work.left, work.right - work.left + 1, work.bottom - work.top}));
}

TEST_F(FrameDialog, PaintsEveryPieceWhereTheSkinSays) {
    ASSERT_NE(nullptr, Open(FrameSkin("frame_pieces", kCustomIni, 40, 30, 6)));
    EXPECT_TRUE(m_boxes.empty());
    const SIZE size = ClientSize();
    const int w = size.cx, h = size.cy;
    const PixelBuffer shown = Shown();
    EXPECT_EQ(shown.At(2, 38), kTitleLeft);
    EXPECT_EQ(shown.At(w / 2, 38), kTitleMiddle);
    EXPECT_EQ(shown.At(w - 3, 38), kTitleRight);
    EXPECT_EQ(shown.At(10, 10), kIcon);
    EXPECT_EQ(shown.At(2, h - 2), kStatusLeft);
    EXPECT_EQ(shown.At(w / 2, h - 2), kStatusMiddle);
    EXPECT_EQ(shown.At(w - 3, h - 2), kStatusRight);
    EXPECT_EQ(shown.At(2, h / 2), kBorderLeft);
    EXPECT_EQ(shown.At(w - 4, h / 2), kBorderRight);
    EXPECT_EQ(shown.At(w - 1, h / 2), 0x14283Cu);
    EXPECT_EQ(shown.At(w / 2, h / 2), 0x14283Cu);
    EXPECT_EQ(shown.At(w - 20, 14), PictureColour(kCloseNormal));
    EXPECT_EQ(shown.At(w - 43, 14), PictureColour(kMaxNormal));
    EXPECT_EQ(shown.At(w - 66, 14), PictureColour(kMinNormal));
    const int textLeft = FirstColumnWith(shown, kTitleText, 0, 0, w, 40);
    EXPECT_GE(textLeft, 40); // left + title height, beside the icon
    EXPECT_LT(textLeft, 46);

    // The status strip comes back on request over whatever was drawn on it.
    {
        WindowDC dc(m_dialog.Hwnd());
        const RECT status = {0, h - 30, w, h};
        FillRect(dc.Get(), &status, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    m_dialog.EraseStatuBk();
    const PixelBuffer erased = CaptureWindow(m_dialog.Hwnd());
    EXPECT_EQ(erased.At(w / 2, h - 2), kStatusMiddle);
    EXPECT_EQ(erased.At(w - 3, h - 29), kStatusRight);
}

TEST_F(FrameDialog, WithoutItsIconTheTitleStartsAtFive) {
    ASSERT_NE(nullptr, Open(FrameSkin("frame_no_icon", kCustomIni, 40, 30, 6, false)));
    const int textLeft = FirstColumnWith(Shown(), kTitleText, 0, 0, ClientSize().cx, 40);
    EXPECT_GE(textLeft, 5);
    EXPECT_LT(textLeft, 11);
}

TEST_F(FrameDialog, ButtonsHoverShowTipsAndDoWhatTheySay) {
    HWND window = Open(FrameSkin("frame_buttons", kCustomIni, 40, 30, 6));
    ASSERT_NE(nullptr, window);
    int w = ClientSize().cx;
    EXPECT_EQ(ToolText(1), L"最小化");
    EXPECT_EQ(m_toolRect.left, w - 77);
    EXPECT_EQ(ToolText(2), L"最大化");
    EXPECT_EQ(ToolText(3), L"请注意:关闭");
    EXPECT_EQ(
        std::vector<LONG>({m_toolRect.left, m_toolRect.top, m_toolRect.right, m_toolRect.bottom}),
        std::vector<LONG>({w - 31, 3, w - 8, 26}));

    SendMouse(window, WM_MOUSEMOVE, w - 20, 14);
    EXPECT_EQ(Shown().At(w - 20, 14), PictureColour(kCloseHover));
    SendMouse(window, WM_MOUSEMOVE, w - 66, 14);
    PixelBuffer shown = Shown();
    EXPECT_EQ(shown.At(w - 66, 14), PictureColour(kMinHover));
    EXPECT_EQ(shown.At(w - 20, 14), PictureColour(kCloseNormal));
    EXPECT_EQ(shown.At(w - 43, 14), PictureColour(kMaxNormal));

    Click(w - 43, 14);
    ASSERT_TRUE(IsZoomed(window));
    w = ClientSize().cx;
    EXPECT_EQ(Shown().At(w - 43, 14), PictureColour(kRestoreNormal));
    EXPECT_EQ(ToolText(2), L"还原窗口");
    // Maximised, the title band reaches the edge and does not drag.
    SendMouse(window, WM_LBUTTONDBLCLK, 4, 4);
    ASSERT_FALSE(IsZoomed(window));
    SendMouse(window, WM_LBUTTONDBLCLK, 100, 20);
    ASSERT_TRUE(IsZoomed(window));
    SendMouse(window, WM_LBUTTONDOWN, 100, 20);
    EXPECT_EQ(m_dialog.moves, 0);
    w = ClientSize().cx;
    Click(w - 43, 14);
    ASSERT_FALSE(IsZoomed(window));
    w = ClientSize().cx;

    SendMouse(window, WM_LBUTTONDOWN, 100, 20);
    EXPECT_EQ(m_dialog.moves, 1);
    SendMouse(window, WM_LBUTTONDOWN, 5, 5);    // outside the band's inset
    SendMouse(window, WM_LBUTTONDOWN, 100, 45); // below the title bar
    EXPECT_EQ(m_dialog.moves, 1);

    Click(w - 66, 14);
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);

    SendMouse(window, WM_LBUTTONDOWN, w - 20, 14);
    SendMouse(window, WM_LBUTTONUP, w / 2, 100);
    EXPECT_EQ(m_dialog.closes, 0);
    Click(w - 20, 14);
    EXPECT_EQ(m_dialog.closes, 1);
}

TEST_F(FrameDialog, WithoutMaximiseButtonMinimiseTakesItsPlaceAndDoubleClicksDoNothing) {
    HWND window =
        Open(FrameSkin("frame_no_max", WithKey(kCustomIni, "HasMaxButton", "0"), 40, 30, 6));
    ASSERT_NE(nullptr, window);
    const int w = ClientSize().cx;
    EXPECT_EQ(Shown().At(w - 43, 14), PictureColour(kMinNormal));
    SendMouse(window, WM_LBUTTONDBLCLK, 100, 20);
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(FrameDialog, AResizableFrameSizesByItsEdgesUntilMaximised) {
    HWND window =
        Open(FrameSkin("frame_resizable", WithKey(kCustomIni, "Resizable", "1"), 40, 30, 6));
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_THICKFRAME),
              WS_POPUP | WS_THICKFRAME);
    // The region hides the sizing frame: it starts 4 pixels in.
    const SIZE outer = WindowSize(window);
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, GetWindowRgn(window, region.Get()));
    EXPECT_FALSE(PtInRegion(region.Get(), 3, outer.cy / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), 4, outer.cy / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), outer.cx - 5, outer.cy / 2));
    EXPECT_FALSE(PtInRegion(region.Get(), outer.cx - 4, outer.cy / 2));

    const SIZE size = ClientSize();
    const int w = size.cx, h = size.cy;
    const struct {
        int x, y;
        LRESULT hit;
    } cases[] = {
        {2, 2, HTTOPLEFT},
        {w / 2, 3, HTTOP},
        {w - 1, 7, HTTOPRIGHT},
        {0, h / 2, HTLEFT},
        {w - 8, h / 2, HTRIGHT},
        {7, h - 1, HTBOTTOMLEFT},
        {w / 2, h - 8, HTBOTTOM},
        {w - 3, h - 3, HTBOTTOMRIGHT},
        {w - 20, h - 20, HTBOTTOMRIGHT},
        {w - 29, h - 20, HTCLIENT},
        {w / 2, h / 2, HTCLIENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;

    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MINMAXINFO limits = {};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(std::vector<LONG>({limits.ptMaxPosition.x, limits.ptMaxPosition.y, limits.ptMaxSize.x,
                                 limits.ptMaxSize.y}),
              std::vector<LONG>({work.left - 4, work.top - 4, work.right - work.left + 13,
                                 work.bottom - work.top + 12}));

    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window));
    EXPECT_EQ(HitTest(2, 2), HTCLIENT); // the system's answer
    EXPECT_EQ(HitTest(w / 2, 3), HTCLIENT);
}

} // namespace
