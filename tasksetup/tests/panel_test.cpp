// The parameter panel inside the control: its mode and object-class rules
// on clicks, greying out, the colour dialog and the screen colour picker
// driven by posted messages, and a search picture shown from a string.
#include "base64.h"
#include "hosted_control.h"
#include "message_wait.h"
#include "module_path.h"
#include "picker_driver.h"
#include "resource.h"
#include "test_fixture.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs step on the test thread every 30 ms (also inside modal loops) until
// it returns true.
class TimerDriver {
public:
    explicit TimerDriver(std::function<bool()> step) : m_step(std::move(step)) {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 30, OnTimer);
    }
    ~TimerDriver() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Done() const { return m_done; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_current && !s_current->m_done)
            s_current->m_done = s_current->m_step();
    }
    static inline TimerDriver* s_current = nullptr;
    std::function<bool()> m_step;
    UINT_PTR m_timer = 0;
    bool m_done = false;
};

struct WindowSearch {
    const wchar_t* className;
    int childId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && wcscmp(name, search->className) == 0 &&
        (search->childId == 0 || GetDlgItem(window, search->childId) != nullptr)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The thread's visible window whose class is className and that has a child
// with id childId (0: any).
HWND FindThreadWindow(const wchar_t* className, int childId) {
    WindowSearch search{className, childId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Ok()); }
    HWND Item(int id) { return GetDlgItem(m_host.Control().Panel().Hwnd(), id); }
    bool Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

    HostedConfigDlg m_host{900, 720};
};

const wchar_t kVehicleInRed[] =
    L"type=1&sensitivity=0&fineness=3&snap_type=0&thickness=0&task_priority=0&summary_width=-1&"
    L"summary_height=-1&drop_frm_rate=1.0&obj_type=2&retrieve_avgcolor=0xFF0000";

TEST_F(PanelTest, ModeBoxesAndObjectClassesFollowTheClicks) {
    Click(IDC_MODE_RETRIEVAL);
    EXPECT_FALSE(Enabled(IDC_OBJECT_PERSON)) << "retrieval off greys its group";
    Click(IDC_MODE_SYNOPSIS);
    EXPECT_TRUE(Checked(IDC_MODE_SYNOPSIS)) << "one mode always stays on";
    EXPECT_NE(std::wstring::npos, m_host.Get().find(L"type=2&"));
    Click(IDC_MODE_RETRIEVAL);
    EXPECT_TRUE(Enabled(IDC_OBJECT_PERSON));
    EXPECT_FALSE(Enabled(IDC_UPPER_COLOR_CHECK)) << "person and vehicle: no body colours";

    ASSERT_EQ(S_OK, m_host.Set(kVehicleInRed));
    EXPECT_TRUE(Checked(IDC_MAIN_COLOR_CHECK));
    EXPECT_NE(std::wstring::npos, m_host.Get().find(L"&retrieve_avgcolor=0xFF0000"));
    Click(IDC_OBJECT_PERSON);
    EXPECT_FALSE(Enabled(IDC_MAIN_COLOR_CHECK));
    EXPECT_FALSE(Checked(IDC_MAIN_COLOR_CHECK));
    EXPECT_TRUE(Enabled(IDC_UPPER_COLOR));
    const std::wstring data = m_host.Get();
    EXPECT_NE(std::wstring::npos, data.find(L"&obj_type=1"));
    EXPECT_EQ(std::wstring::npos, data.find(L"retrieve_avgcolor")) << data;
}

TEST_F(PanelTest, ParametersSetDisabledGreyEverythingOut) {
    ASSERT_EQ(S_OK, m_host.Set(kVehicleInRed, VARIANT_FALSE));
    for (int id : {IDC_MODE_SYNOPSIS, IDC_MODE_RETRIEVAL, IDC_SCENE_SUNNY, IDC_SCENE_NIGHT,
                   IDC_REGION_INTEREST, IDC_REGION_IGNORE, IDC_TRIPWIRE, IDC_PRIORITY, IDC_FINENESS,
                   IDC_DROP_RATE, IDC_THICKNESS, IDC_OUTPUT_SIZE, IDC_SNAP_TYPE, IDC_OBJECT_ALL,
                   IDC_MAIN_COLOR, IDC_MAIN_COLOR_PICK, IDC_SEARCH_PICTURE_CHOOSE})
        EXPECT_FALSE(Enabled(id)) << id;
    ASSERT_EQ(S_OK, m_host.Set(kVehicleInRed));
    for (int id : {IDC_MODE_SYNOPSIS, IDC_PRIORITY, IDC_OUTPUT_SIZE, IDC_MAIN_COLOR})
        EXPECT_TRUE(Enabled(id)) << id;

    // Focus coming back to a radio the operator used before greying out
    // (the system reports that as a click) changes nothing.
    Click(IDC_OBJECT_PERSON);
    ASSERT_EQ(S_OK, m_host.Set(kVehicleInRed, VARIANT_FALSE));
    SetFocus(Item(IDC_OBJECT_PERSON));
    SetFocus(m_host.Window());
    PumpMessagesFor(50);
    for (int id : {IDC_MAIN_COLOR_PICK, IDC_UPPER_COLOR_PICK, IDC_SEARCH_PICTURE_CHOOSE})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(PanelTest, ColourDialogChoiceGoesToTheButtonAndChecksItsBox) {
    Click(IDC_OBJECT_PERSON);
    ASSERT_FALSE(Checked(IDC_UPPER_COLOR_CHECK));
    // The dialog's red, green and blue boxes take the colour, then OK.
    TimerDriver driver([] {
        HWND dialog = FindThreadWindow(L"#32770", 706);
        if (dialog == nullptr)
            return false;
        SetDlgItemTextW(dialog, 706, L"10");
        SetDlgItemTextW(dialog, 707, L"200");
        SetDlgItemTextW(dialog, 708, L"30");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    PostMessageW(Item(IDC_UPPER_COLOR), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return Checked(IDC_UPPER_COLOR_CHECK); }, 10000));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(RGB(10, 200, 30), m_host.Control().Panel().ColorButton(1).Color());
    RECT face;
    GetWindowRect(Item(IDC_UPPER_COLOR), &face);
    MapWindowPoints(nullptr, m_host.Page(), reinterpret_cast<POINT*>(&face), 2);
    const PixelBuffer shown = CaptureAfterPaint(m_host.Page());
    EXPECT_EQ(0x0AC81Eu, shown.At((face.left + face.right) / 2, (face.top + face.bottom) / 2));
    EXPECT_NE(std::wstring::npos, m_host.Get().find(L"&retrieve_uppercolor=0x0AC81E"));
}

TEST_F(PanelTest, ScreenColourPickerTakesTheColourUnderTheClick) {
    // A swatch of a known colour beside the page.
    const COLORREF swatchColor = RGB(12, 34, 56);
    HBRUSH brush = CreateSolidBrush(swatchColor);
    WNDCLASSW swatchClass = {};
    swatchClass.lpfnWndProc = DefWindowProcW;
    swatchClass.hInstance = GetModuleHandleW(nullptr);
    swatchClass.hbrBackground = brush;
    swatchClass.lpszClassName = L"PanelTestSwatch";
    RegisterClassW(&swatchClass);
    HWND swatch =
        CreateWindowExW(WS_EX_TOPMOST, L"PanelTestSwatch", L"", WS_POPUP | WS_VISIBLE, 960, 100, 40,
                        40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, swatch);
    UpdateWindow(swatch);

    const auto clickAt = [](POINT screen) {
        return [screen] {
            HWND magnifier = FindThreadWindow(L"HueSamplerMagnifier", 0);
            if (magnifier == nullptr)
                return false;
            POINT at = screen;
            ScreenToClient(magnifier, &at);
            PostMessageW(magnifier, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            return true;
        };
    };
    CColorSelButton& main = m_host.Control().Panel().ColorButton(0);
    {
        TimerDriver driver(clickAt(POINT{980, 120}));
        PostMessageW(Item(IDC_MAIN_COLOR_PICK), BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpMessagesUntil([&] { return main.Color() == swatchColor; }, 10000))
            << std::hex << main.Color();
    }
    {
        // Escape gives up: no colour.
        TimerDriver driver([] {
            HWND magnifier = FindThreadWindow(L"HueSamplerMagnifier", 0);
            if (magnifier != nullptr)
                PostMessageW(magnifier, WM_KEYDOWN, VK_ESCAPE, 0);
            return magnifier != nullptr;
        });
        PostMessageW(Item(IDC_MAIN_COLOR_PICK), BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpMessagesUntil([&] { return main.Color() == 0xFFFFFFFFu; }, 10000));
    }
    EXPECT_EQ(std::wstring::npos, m_host.Get().find(L"retrieve_avgcolor"));
    DestroyWindow(swatch);
    UnregisterClassW(L"PanelTestSwatch", GetModuleHandleW(nullptr));
    DeleteObject(brush);
}

TEST_F(PanelTest, SearchPictureFromTheStringIsShownButNotSentAgain) {
    const std::wstring folder = MakeLocalScratchFolder("PanelSearchPicture");
    ASSERT_TRUE(WriteSolidPicture(folder + L"\\obj.png", 60, 40, 0xC81E1E));
    const auto picture = ReadFileBytes(folder + L"\\obj.png");
    ASSERT_TRUE(picture);
    const std::string data = Base64Encode(*picture);
    const std::wstring wide(data.begin(), data.end());
    ASSERT_EQ(S_OK, m_host.Set(L"type=1&sensitivity=0&fineness=3&snap_type=0&thickness=0&task_"
                               L"priority=0&summary_width=-1&summary_height=-1&drop_frm_rate=1.0&"
                               L"obj_type=2&enable_search_by_image=1&request_image_data=" +
                               wide + L"&request_mask_data=AAEC"));
    EXPECT_TRUE(Checked(IDC_SEARCH_PICTURE_CHECK));
    RECT preview;
    GetWindowRect(Item(IDC_SEARCH_PICTURE_PREVIEW), &preview);
    MapWindowPoints(nullptr, m_host.Page(), reinterpret_cast<POINT*>(&preview), 2);
    const PixelBuffer shown = CaptureAfterPaint(m_host.Page());
    EXPECT_EQ(0xC81E1Eu,
              shown.At((preview.left + preview.right) / 2, (preview.top + preview.bottom) / 2));
    EXPECT_EQ(std::wstring::npos, m_host.Get().find(L"request_image_data"));
}

// "..." runs the region picker beside the control; the chosen picture shows in
// the preview and both files travel as Base64.
TEST_F(PanelTest, SearchPictureFromThePickerIsSentAsBase64) {
    Watchdog watchdog(90);
    const std::wstring picture = MakeLocalScratchFolder("PanelPicker") + L"\\target.png";
    ASSERT_TRUE(WriteSolidPicture(picture, 200, 100, 0x3C64C8));
    Click(IDC_OBJECT_VEHICLE);
    ASSERT_TRUE(Enabled(IDC_SEARCH_PICTURE_CHOOSE));
    const std::string failure = DriveWhile(
        [&](PickerDriver& picker) {
            picker.Resize(1000, 700); // room to show the picture at its own size
            picker.Import(picture);
            picker.Press(11001); // "框选目标"
            const PixelRect shown = picker.PictureRect(200, 100);
            // The last click, next to the first vertex, closes the outline.
            for (auto [x, y] : {std::pair{20, 20}, {180, 20}, {100, 90}, {21, 21}})
                picker.Click(shown.left + x, shown.top + y);
            picker.Sync();
            picker.PostPress(IDOK);
        },
        [&] { Click(IDC_SEARCH_PICTURE_CHOOSE); });
    ASSERT_EQ("", failure);
    EXPECT_TRUE(Checked(IDC_SEARCH_PICTURE_CHECK));
    RECT preview;
    GetWindowRect(Item(IDC_SEARCH_PICTURE_PREVIEW), &preview);
    MapWindowPoints(nullptr, m_host.Page(), reinterpret_cast<POINT*>(&preview), 2);
    const PixelBuffer shown = CaptureAfterPaint(m_host.Page());
    const uint32_t centre =
        shown.At((preview.left + preview.right) / 2, (preview.top + preview.bottom) / 2);
    EXPECT_NEAR(0x3C, static_cast<int>(centre >> 16), 8) << std::hex << centre; // a JPEG now
    EXPECT_NEAR(0xC8, static_cast<int>(centre & 0xFF), 8) << std::hex << centre;

    const std::wstring data = m_host.Get();
    const auto value = [&](const std::wstring& key) {
        const size_t at = data.find(L"&" + key + L"=");
        if (at == std::wstring::npos)
            return std::wstring();
        const size_t start = at + key.size() + 2;
        return data.substr(start, data.find(L'&', start) - start);
    };
    const std::wstring folder = ModuleFolder() + L"\\SearchPicture";
    const auto image = ReadFileBytes(folder + L"\\obj.jpg");
    const auto mask = ReadFileBytes(folder + L"\\mask.bin");
    ASSERT_TRUE(image && mask);
    EXPECT_NE(std::wstring::npos, data.find(L"&enable_search_by_image=1&request_image_data="));
    EXPECT_EQ((image->size() + 2) / 3 * 4, value(L"request_image_data").size());
    EXPECT_EQ((mask->size() + 2) / 3 * 4, value(L"request_mask_data").size());
    EXPECT_EQ(L"/9j/", value(L"request_image_data").substr(0, 4)) << "a JPEG's first bytes";
}

} // namespace
