// The client-drawn dialog (KUIBaseDlg): the pieces of its skin folder land
// where they belong, a new skin folder shows at once, and its close button
// follows the pointer, closes on release, and is gone without its picture.
#include "skin_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kTitleLeft = 0x803010, kTitleMiddle = 0x208040, kTitleRight = 0x4010A0;
constexpr uint32_t kStatusLeft = 0xA06000, kStatusMiddle = 0x00A0A0, kStatusRight = 0xA000A0;
constexpr uint32_t kBorderLeft = 0xE02020, kBorderRight = 0x20E020;
constexpr uint32_t kCloseNormal = 0x3050F0, kCloseHover = 0xF05030, kClosePressed = 0x30F050;
constexpr uint32_t kBackground = 0x414A57;
constexpr uint32_t kTitleText = 0xF5F5F5;

TestSkin SkinFolder(const std::string& name, bool withClose) {
    TestSkin skin(name);
    skin.Bitmap("Title.bmp", Tiles(35, {{19, kTitleLeft}, {1, kTitleMiddle}, {19, kTitleRight}}));
    skin.Bitmap("Status.bmp",
                Tiles(3, {{19, kStatusLeft}, {1, kStatusMiddle}, {19, kStatusRight}}));
    skin.Bitmap("Border.bmp", Tiles(32, {{3, kBorderLeft}, {3, kBorderRight}}));
    if (withClose)
        skin.Png("close_normal.png", Solid(23, 23, kCloseNormal));
    skin.Png("close_hover.png", Solid(23, 23, kCloseHover));
    skin.Png("close_pressed.png", Solid(23, 23, kClosePressed));
    return skin;
}

PixelBuffer Shown(HWND window) {
    UpdateWindow(window);
    return CaptureWindow(window);
}

TEST(SkinDialog, ANewSkinFolderShowsAtOnceWithEveryPieceInPlace) {
    const TestSkin skin = SkinFolder("base_pieces", true);
    Recorder<KUIBaseDlg> dialog(IDD_TEST_BASE);
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    ShowPainted(window);
    RECT client = {};
    GetClientRect(window, &client);
    const int w = client.right, h = client.bottom;
    EXPECT_NE(Shown(window).At(w / 2, 10), kTitleMiddle); // the library's own skin

    dialog.SetSkinPath(skin.Folder().c_str());
    const PixelBuffer shown = Shown(window);
    EXPECT_EQ(shown.At(5, 10), kTitleLeft);
    EXPECT_EQ(shown.At(w / 2, 10), kTitleMiddle);
    EXPECT_EQ(shown.At(w - 3, 30), kTitleRight);
    EXPECT_EQ(shown.At(5, h - 2), kStatusLeft);
    EXPECT_EQ(shown.At(w / 2, h - 2), kStatusMiddle);
    EXPECT_EQ(shown.At(w - 3, h - 2), kStatusRight);
    EXPECT_EQ(shown.At(1, h / 2), kBorderLeft);
    EXPECT_EQ(shown.At(w - 3, h / 2), kBorderRight);
    EXPECT_EQ(shown.At(w - 1, h / 2), kBackground);
    EXPECT_EQ(shown.At(w / 2, h / 2), kBackground);
    EXPECT_EQ(shown.At(w - 20, 13), kCloseNormal);
    EXPECT_EQ(shown.At(w - 9, 24), kCloseNormal);
    EXPECT_EQ(shown.At(w - 32, 13), kTitleMiddle);

    dialog.SetTitle(L"Skinned");
    InvalidateRect(window, nullptr, TRUE);
    const int textLeft = FirstColumnWith(Shown(window), kTitleText, 0, 0, w, 35);
    EXPECT_GE(textLeft, 2);
    EXPECT_LT(textLeft, 8);
}

TEST(SkinDialog, TheCloseButtonFollowsThePointerAndClosesOnRelease) {
    const TestSkin skin = SkinFolder("base_close", true);
    Recorder<KUIBaseDlg> dialog(IDD_TEST_BASE);
    dialog.SetSkinPath(skin.Folder().c_str()); // before creation: kept
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    ShowPainted(window);
    const int w = Shown(window).width;
    EXPECT_EQ(Shown(window).At(w - 20, 13), kCloseNormal);

    SendMouse(window, WM_MOUSEMOVE, w - 20, 13);
    EXPECT_EQ(Shown(window).At(w - 20, 13), kCloseHover);
    SendMouse(window, WM_LBUTTONDOWN, w - 20, 13);
    EXPECT_EQ(Shown(window).At(w - 20, 13), kClosePressed);
    EXPECT_EQ(GetCapture(), window);
    // Released elsewhere: no close, and the next press starts afresh.
    SendMouse(window, WM_MOUSEMOVE, w / 2, 60);
    EXPECT_EQ(Shown(window).At(w - 20, 13), kCloseNormal);
    SendMouse(window, WM_LBUTTONUP, w / 2, 60);
    EXPECT_EQ(dialog.closes, 0);
    EXPECT_NE(GetCapture(), window);

    SendMouse(window, WM_LBUTTONDOWN, w - 20, 13);
    SendMouse(window, WM_LBUTTONUP, w - 20, 13);
    EXPECT_EQ(dialog.closes, 1);
    SendMouse(window, WM_LBUTTONUP, w - 20, 13);
    EXPECT_EQ(dialog.closes, 1);
}

TEST(SkinDialog, WithoutItsPictureThereIsNoCloseButtonAndTheTitleBarDrags) {
    const TestSkin skin = SkinFolder("base_no_close", false);
    Recorder<KUIBaseDlg> dialog(IDD_TEST_BASE);
    dialog.SetSkinPath(skin.Folder().c_str());
    ASSERT_NE(nullptr, dialog.Create());
    HWND window = dialog.Hwnd();
    ShowPainted(window);
    const int w = Shown(window).width;
    EXPECT_EQ(Shown(window).At(w - 20, 13), kTitleMiddle);

    SendMouse(window, WM_LBUTTONDOWN, w - 20, 13);
    SendMouse(window, WM_LBUTTONUP, w - 20, 13);
    EXPECT_EQ(dialog.closes, 0);
    EXPECT_EQ(dialog.moves, 1); // the title bar, where the button would be
    SendMouse(window, WM_LBUTTONDOWN, w / 2, 40);
    EXPECT_EQ(dialog.moves, 1); // below the title bar
}

} // namespace
