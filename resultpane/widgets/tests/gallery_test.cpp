// The default skin on the widgets, laid out like the bottom of the playback
// panel and the snapshot panel's button strip: each state shows its picture
// in the skin's own colours, and the whole is saved as gallery.png in the
// test's scratch folder for people to look at.
#include "image_button.h"
#include "module_path.h"
#include "slider_ctrl_ex.h"
#include "static_impl.h"
#include "test_fixture.h"
#include "transparent_tips_wnd.h"
#include "widget_test_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 300;
constexpr int kStripTop = kHeight - 70;

std::wstring Skin(const std::wstring& name) {
    return ModuleFolder() + L"\\skin\\" + name;
}

struct Gallery {
    WidgetTestWindow window;
    Image logo;
    Image strip;
    std::vector<std::unique_ptr<CImageButton>> buttons;
    CSliderCtrlEx slider;
    CStaticImpl label;
    CTransparentTipsWnd tip;
    GdiBrush hollow{static_cast<HBRUSH>(nullptr)};

    // A button of the skin at (x, y); state "normal", "latched" (the pressed
    // picture in the normal place) or "pressed".
    CImageButton& AddButton(const std::wstring& stem, int x, int y, const char* state = "normal") {
        const int id = 300 + static_cast<int>(buttons.size());
        HWND hwnd =
            CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE, x, y, 10, 10, window.Hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        auto button = std::make_unique<CImageButton>();
        button->Subclass(hwnd);
        const std::wstring normal = Skin(stem + L"_normal.png"), hover = Skin(stem + L"_hover.png"),
                           pressed = Skin(stem + L"_pressed.png");
        if (std::string(state) == "latched")
            button->SetImages(pressed.c_str(), hover.c_str(), pressed.c_str(), pressed.c_str());
        else
            button->SetImages(normal.c_str(), hover.c_str(), pressed.c_str(), normal.c_str());
        if (std::string(state) == "pressed")
            SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
        buttons.push_back(std::move(button));
        return *buttons.back();
    }
};

// Like the playback panel: the strip's corner colour everywhere, the logo in
// the video area, the strip stretched along the bottom.
void PaintPanel(const Gallery& g, HDC dc, const RECT& client) {
    GdiBrush fill(CreateSolidBrush(g.strip.IsNull() ? 0 : g.strip.PixelAt(1, 1) & 0xFFFFFF));
    FillRect(dc, &client, fill.Get());
    if (!g.logo.IsNull()) {
        const RECT corner = {0, 0, 1, 1}, video = {0, 0, client.right, kStripTop};
        g.logo.StretchDraw(dc, video, corner);
        g.logo.Draw(dc, (client.right - g.logo.Width()) / 2, (kStripTop - g.logo.Height()) / 2);
    }
    if (!g.strip.IsNull()) {
        const RECT whole = {0, 0, g.strip.Width(), g.strip.Height()};
        const RECT band = {0, kStripTop, client.right, kStripTop + g.strip.Height()};
        g.strip.StretchDraw(dc, band, whole);
    }
}

TEST(WidgetGallery, EachStateShowsItsSkinPictureAndThePictureIsSaved) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    SetCursorPos(0, 0);
    Gallery g;
    ASSERT_TRUE(g.logo.Load(Skin(L"center_logo.png"))) << "the skin is built beside the tests";
    ASSERT_TRUE(g.strip.Load(Skin(L"dlg_bk.png")));
    g.window.paintBackground = [&g](HDC dc, const RECT& client) { PaintPanel(g, dc, client); };
    g.window.extraHandler = [&g](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message != WM_CTLCOLORSTATIC)
            return false;
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
        return true;
    };
    ASSERT_TRUE(g.window.Create(kWidth, kHeight, 0, 60, 60));
    const int w = kWidth, h = kHeight;

    HWND slider = CreateWindowW(TRACKBAR_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, 0, h - 70, w, 17,
                                g.window.Hwnd(), reinterpret_cast<HMENU>(204), nullptr, nullptr);
    ASSERT_TRUE(g.slider.Subclass(slider));
    g.slider.SetBkColor(RGB(0, 0, 0));
    g.slider.SetBkImage(Skin(L"progress_slider_bk.png").c_str());
    g.slider.SetOverBkImage(Skin(L"progress_slider_over_bk.png").c_str());
    g.slider.SetThumbImage(Skin(L"progress_slider_humb.png").c_str());
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 1000));
    g.slider.SetPosIfIdle(400);

    // The playback panel's places.
    CImageButton& pause = g.AddButton(L"pause", 10, h - 55);
    const CImageButton& stop = g.AddButton(L"stop", 75, h - 40, "pressed");
    const CImageButton& timeButton = g.AddButton(L"time", w - 227, h - 30, "latched");
    CImageButton& object = g.AddButton(L"object", w - 172, h - 30);
    const CImageButton& capture = g.AddButton(L"captuepic", w - 117, h - 30);
    g.AddButton(L"full_screen", w - 40, h - 35);
    // The snapshot strip's buttons along the top, for a look at them too.
    int x = 10;
    for (const wchar_t* stem : {L"snapshot1", L"snapshot2", L"snapshot3", L"snapshot4",
                                L"bt_serchbyimg", L"download", L"cutvideo", L"play"}) {
        g.AddButton(stem, x, 10);
        x += 50;
    }
    pause.SetToolTipText(L"暂停");
    const POINT over = ScreenPoint(object.Hwnd(), 5, 5);
    SetCursorPos(over.x, over.y);
    SendMessageW(object.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(ButtonFace::Hover, object.CurrentFace());

    HWND label =
        CreateWindowW(L"STATIC", L"00:01:23/00:05:00", WS_CHILD | WS_VISIBLE, w - 100, h - 50, 100,
                      15, g.window.Hwnd(), reinterpret_cast<HMENU>(211), nullptr, nullptr);
    ASSERT_TRUE(g.label.Subclass(label));

    ASSERT_TRUE(g.tip.Create(g.window.Hwnd()));
    g.tip.SetOwner(g.window.Hwnd());
    g.tip.SetText(L"截图成功，文件保存在：C:\\captures\\cam01_83_300.jpg");
    g.tip.ShowTips(1);

    PixelBuffer shown = PaintAndCapture(g.window.Hwnd());
    ASSERT_EQ(kWidth, shown.width);
    // The tip floats over the panel at its window alpha: blend it in for the picture.
    const PixelBuffer tip = PaintAndCapture(g.tip.Hwnd());
    RECT tipRect;
    GetWindowRect(g.tip.Hwnd(), &tipRect);
    const POINT origin = ScreenPoint(g.window.Hwnd(), 0, 0);
    for (int ty = 0; ty < tip.height; ++ty) {
        for (int tx = 0; tx < tip.width; ++tx) {
            const int gx = tipRect.left - origin.x + tx, gy = tipRect.top - origin.y + ty;
            if (gx < 0 || gy < 0 || gx >= shown.width || gy >= shown.height)
                continue;
            uint32_t& p = shown.pixels[static_cast<size_t>(gy) * shown.width + gx];
            const uint32_t t = tip.At(tx, ty);
            uint32_t blended = 0;
            for (int s = 0; s <= 16; s += 8) {
                const uint32_t c = (((t >> s) & 0xFF) * 149 + ((p >> s) & 0xFF) * 106) / 255;
                blended |= c << s;
            }
            p = blended;
        }
    }
    const std::wstring folder = MakeLocalScratchFolder("gallery");
    ASSERT_TRUE(SavePng(shown, folder + L"\\gallery.png"));

    // The widgets show their pictures: no button is just the strip behind it.
    for (const auto& button : g.buttons) {
        RECT r;
        GetWindowRect(button->Hwnd(), &r);
        const POINT p = {r.left - origin.x + (r.right - r.left) / 2, r.top - origin.y};
        bool differs = false;
        for (int y = p.y; y < p.y + (r.bottom - r.top); ++y)
            differs = differs || shown.At(p.x, y) != shown.At(p.x, p.y);
        EXPECT_TRUE(differs) << "button at " << p.x << "," << p.y;
    }
    // Opaque pixels of each state, in the skin's colours: the round face, the
    // accent plate of a pressed (or latched) flat button, a glyph bright when
    // hovered and grey otherwise, the slider's blue played part and grey
    // channel ahead of the thumb.
    const auto at = [&](const CImageButton& button, int x, int y) {
        RECT r;
        GetWindowRect(button.Hwnd(), &r);
        return shown.At(r.left - origin.x + x, r.top - origin.y + y);
    };
    EXPECT_EQ(0x38414Du, at(pause, 6, 23)) << "pause, normal";
    EXPECT_EQ(0x1E88E5u, at(stop, 1, 15)) << "stop, pressed";
    EXPECT_EQ(0x1E88E5u, at(timeButton, 1, 12)) << "time, latched";
    EXPECT_EQ(0xFFFFFFu, at(object, 19, 14)) << "object, hovered";
    EXPECT_EQ(0xD5DBE3u, at(capture, 19, 13)) << "capture, normal";
    EXPECT_EQ(0x1E88E5u, shown.At(10, h - 70 + 8)) << "played part";
    EXPECT_EQ(0x4A5260u, shown.At(w - 10, h - 70 + 8)) << "channel";
}

} // namespace
