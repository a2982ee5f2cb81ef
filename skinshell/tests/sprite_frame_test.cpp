// The sprite-sheet dialog (KUIBaseDlgEX): each region of the sheet lands on
// the frame, the glyphs show normal, hovered, pressed and inactive, the
// buttons and the icon's menu do what they say, and the system's own caption
// buttons never answer a hit test.
#include "skin_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kTitle = 0x1020C0;
constexpr uint32_t kLeft = 0xC00000;
constexpr uint32_t kRight = 0x00C000;
constexpr uint32_t kBottom = 0xC0C000;
constexpr uint32_t kInner = 0x009696;
constexpr uint32_t kActiveText = 0xFFFFFF;
constexpr uint32_t kInactiveText = 0x125D09;

enum Glyph { kMin, kMax, kRestore, kClose };
enum Row { kNormal, kHover, kPressed };

// Every glyph cell of the test sheet is one colour of its own.
uint32_t GlyphColour(int glyph, int row) {
    return static_cast<uint32_t>(0x30 + 0x30 * glyph) << 16 |
           static_cast<uint32_t>(0x40 + 0x40 * row) << 8 | 0x11;
}

Canvas TestSheet() {
    Canvas sheet(68, 92, Hex(0x000000));
    sheet.Fill(Rect(10, 0, 14, 4), Hex(kBottom));
    sheet.Fill(Rect(13, 0, 14, 22), Hex(kTitle));
    sheet.Fill(Rect(0, 36, 4, 38), Hex(kLeft));
    sheet.Fill(Rect(5, 36, 9, 38), Hex(kRight));
    sheet.Fill(Rect(36, 8, 37, 9), Hex(kInner));
    for (int glyph = 0; glyph < 4; ++glyph)
        for (int row = 0; row < 3; ++row)
            sheet.Fill(Rect(17 * glyph, 44 + 16 * row, 17 * glyph + 16, 60 + 16 * row),
                       Hex(GlyphColour(glyph, row)));
    return sheet;
}

// A frame wider than the system's own, as Windows 7 draws them: the derived
// dialog takes 10 more pixels on each side and at the bottom.
class WideFrameDialog : public Recorder<KUIBaseDlgEX> {
public:
    WideFrameDialog() : Recorder(IDD_TEST_EX) {}

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    LRESULT OnWideNcCalcSize(WPARAM wParam, LPARAM lParam, bool& handled) {
        const LRESULT result = OnNcCalcSize(wParam, lParam, handled);
        RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : reinterpret_cast<RECT*>(lParam);
        InflateRect(client, -10, 0);
        client->bottom -= 10;
        return result;
    }
    static const MessageEntry<WideFrameDialog> kMessages[];
    static const MessageMap messageMap;
};

const MessageEntry<WideFrameDialog> WideFrameDialog::kMessages[] = {
    {WM_NCCALCSIZE, &WideFrameDialog::OnWideNcCalcSize},
};
const MessageMap WideFrameDialog::messageMap =
    ChainMessageTable<WideFrameDialog, WideFrameDialog::kMessages>(&Recorder::messageMap);

class SpriteFrame : public ::testing::Test {
protected:
    SpriteFrame() : m_skin("sprite"), m_directory(m_skin.Folder()) {
        CreateDirectoryW((m_skin.Folder() + L"\\res").c_str(), nullptr);
        m_skin.Bitmap("res\\frame.bmp", TestSheet());
    }

    // A point of the window (window coordinates) in screen coordinates.
    static LPARAM Screen(HWND window, int x, int y) {
        RECT bounds = {};
        GetWindowRect(window, &bounds);
        return MAKELPARAM(bounds.left + x, bounds.top + y);
    }
    static void Mouse(HWND window, UINT message, int x, int y) {
        SendMessageW(window, message, HTCAPTION, Screen(window, x, y));
    }
    // The glyph colours at the minimise, maximise and close places of a
    // window width wide.
    static std::vector<uint32_t> Glyphs(HWND window) {
        const PixelBuffer shown = CaptureWholeWindow(window);
        const int w = shown.width;
        return {shown.At(w - 48, 12), shown.At(w - 30, 12), shown.At(w - 12, 12)};
    }
    static std::vector<uint32_t> Expected(int min, int max, int close) {
        return {GlyphColour(kMin, min), GlyphColour(kMax, max), GlyphColour(kClose, close)};
    }

    TestSkin m_skin;
    CurrentDirectory m_directory;
};

TEST_F(SpriteFrame, PaintsEachRegionOfTheSheetAndTheTitleByActivation) {
    Recorder<KUIBaseDlgEX> dialog(IDD_TEST_EX);
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    ShowPainted(window);
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    const SIZE size = WindowSize(window);
    const int w = size.cx, h = size.cy;

    RECT bounds = {};
    GetWindowRect(window, &bounds);
    POINT clientOrigin = {0, 0};
    ClientToScreen(window, &clientOrigin);
    EXPECT_EQ(clientOrigin.y - bounds.top, KUIBaseDlgEX::m_captionHeight);
    EXPECT_EQ(KUIBaseDlgEX::m_captionHeight, 35);

    PixelBuffer shown = CaptureWholeWindow(window);
    EXPECT_EQ(shown.At(w / 2, 32), kTitle);
    EXPECT_EQ(shown.At(1, h / 2), kLeft);
    EXPECT_EQ(shown.At(w - 2, h / 2), kRight);
    EXPECT_EQ(shown.At(w / 4, h - 2), kBottom);
    EXPECT_EQ(Glyphs(window), Expected(kNormal, kNormal, kNormal));
    EXPECT_GT(CountColour(shown, kActiveText, 37, 5, w - 60, 30), 0);
    EXPECT_EQ(CountColour(shown, kInactiveText, 0, 0, w, 35), 0);

    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    shown = CaptureWholeWindow(window);
    EXPECT_EQ(Glyphs(window), Expected(kHover, kHover, kHover));
    EXPECT_GT(CountColour(shown, kInactiveText, 37, 5, w - 60, 30), 0);
    EXPECT_EQ(CountColour(shown, kActiveText, 0, 0, w, 35), 0);

    // A derived dialog in this program is what it says it is, across the DLL.
    EXPECT_TRUE(dialog.IsKindOf(&KUIBaseDlgEX::classKUIBaseDlgEX));
    EXPECT_TRUE(dialog.IsKindOf(&Dialog::classDialog));
    EXPECT_FALSE(dialog.IsKindOf(&KUIFrameDialog::classKUIFrameDialog));
}

TEST_F(SpriteFrame, AWideFrameGetsTheInnerBorderOnWindows7) {
    WideFrameDialog dialog;
    ASSERT_NE(nullptr, dialog.Create());
    ShowPainted(dialog.Hwnd());
    const SIZE size = WindowSize(dialog.Hwnd());
    const PixelBuffer shown = CaptureWholeWindow(dialog.Hwnd());
    EXPECT_EQ(shown.At(2, size.cy / 2), kLeft);
    EXPECT_EQ(shown.At(size.cx - 3, size.cy / 2), kRight);
    EXPECT_EQ(shown.At(size.cx / 4, size.cy - 2), kBottom);
    // The version the system reports decides.
    const bool win7 = KUIBaseDlgEX::isWin7();
    EXPECT_EQ(shown.At(4, size.cy / 2) == kInner, win7);
    EXPECT_EQ(shown.At(8, size.cy / 2) == kInner, win7);
    EXPECT_EQ(shown.At(size.cx - 5, size.cy / 2) == kInner, win7);
    EXPECT_EQ(shown.At(size.cx / 2, size.cy - 6) == kInner, win7);
    EXPECT_NE(shown.At(9, size.cy / 2), kInner);
}

TEST_F(SpriteFrame, WithoutMaximiseBoxMinimiseSitsBesideClose) {
    Recorder<KUIBaseDlgEX> dialog(IDD_TEST_EX_NO_MAXIMIZE);
    ASSERT_NE(nullptr, dialog.Create());
    ShowPainted(dialog.Hwnd());
    SendMessageW(dialog.Hwnd(), WM_NCACTIVATE, TRUE, 0);
    const std::vector<uint32_t> glyphs = Glyphs(dialog.Hwnd());
    EXPECT_EQ(glyphs[1], GlyphColour(kMin, kNormal));
    EXPECT_EQ(glyphs[2], GlyphColour(kClose, kNormal));
}

TEST_F(SpriteFrame, HoverMovesFromButtonToButtonAndButtonsDoWhatTheySay) {
    Recorder<KUIBaseDlgEX> dialog(IDD_TEST_EX);
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    ShowPainted(window);
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    int w = WindowSize(window).cx;

    Mouse(window, WM_NCMOUSEMOVE, w - 12, 12);
    EXPECT_EQ(Glyphs(window), Expected(kNormal, kNormal, kHover));
    Mouse(window, WM_NCMOUSEMOVE, w - 48, 12);
    EXPECT_EQ(Glyphs(window), Expected(kHover, kNormal, kNormal));
    Mouse(window, WM_NCMOUSEMOVE, w / 2, 12);
    EXPECT_EQ(Glyphs(window), Expected(kNormal, kNormal, kNormal));

    Mouse(window, WM_NCLBUTTONDOWN, w - 30, 12);
    EXPECT_EQ(Glyphs(window), Expected(kNormal, kPressed, kNormal));
    Mouse(window, WM_NCLBUTTONUP, w - 30, 12);
    ASSERT_TRUE(IsZoomed(window));
    w = WindowSize(window).cx;
    EXPECT_EQ(CaptureWholeWindow(window).At(w - 30, 12), GlyphColour(kRestore, kNormal));
    Mouse(window, WM_NCLBUTTONDOWN, w - 30, 12);
    Mouse(window, WM_NCLBUTTONUP, w - 30, 12);
    ASSERT_FALSE(IsZoomed(window));
    w = WindowSize(window).cx;

    Mouse(window, WM_NCLBUTTONDOWN, w - 48, 12);
    Mouse(window, WM_NCLBUTTONUP, w - 48, 12);
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);

    EXPECT_EQ(dialog.closes, 0);
    Mouse(window, WM_NCLBUTTONDOWN, w - 12, 12);
    Mouse(window, WM_NCLBUTTONUP, w - 12, 12);
    EXPECT_EQ(dialog.closes, 1);
    // The title bar elsewhere moves the window the system's way.
    SetActiveWindow(window);
    Mouse(window, WM_NCLBUTTONDOWN, w / 2, 20);
    EXPECT_EQ(dialog.moves, 1);
}

TEST_F(SpriteFrame, TheSystemsCaptionButtonsAreCaptionAndItsOwnDrawingIsRefused) {
    Recorder<KUIBaseDlgEX> dialog(IDD_TEST_EX);
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    const int w = WindowSize(window).cx;
    int captions = 0;
    for (int y = 0; y < 35; y += 2) { // the system's buttons are wider than 2 pixels
        for (int x = 0; x < w; x += 2) {
            const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, Screen(window, x, y));
            ASSERT_TRUE(hit != HTSYSMENU && hit != HTMINBUTTON && hit != HTMAXBUTTON &&
                        hit != HTCLOSE)
                << x << "," << y << ": " << hit;
            captions += hit == HTCAPTION ? 1 : 0;
        }
    }
    EXPECT_GT(captions, 0);
    EXPECT_EQ(SendMessageW(window, 0xAE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(window, 0xAF, 0, 0), 1);
}

// Seen by the timer while the system menu runs its own message loop.
bool g_menuShown = false;

void CALLBACK DismissMenu(HWND, UINT, UINT_PTR id, DWORD) {
    g_menuShown = FindWindowW(L"#32768", nullptr) != nullptr;
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(SpriteFrame, TheIconOpensTheSystemMenu) {
    Recorder<KUIBaseDlgEX> dialog(IDD_TEST_EX);
    ASSERT_NE(nullptr, dialog.Create());
    ShowPainted(dialog.Hwnd());
    g_menuShown = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DismissMenu);
    Mouse(dialog.Hwnd(), WM_NCLBUTTONDOWN, 20, 20); // returns once the menu is gone
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_menuShown);
}

} // namespace
