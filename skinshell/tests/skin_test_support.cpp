#include "skin_test_support.h"

#include "bmp_encoder.h"
#include "png_encoder.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> g_boxTexts; // written by the hook on the test's thread

LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        HWND text = GetDlgItem(box, 0xFFFF); // a message box's text
        if (wcscmp(className, L"#32770") == 0 && text != nullptr) {
            wchar_t message[256] = {};
            GetWindowTextW(text, message, 256);
            g_boxTexts.push_back(message);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

void Write(const std::wstring& folder, const std::string& name, const std::string& bytes) {
    ASSERT_FALSE(bytes.empty()) << name;
    ASSERT_TRUE(WriteFileBytes(folder + L"\\" + std::wstring(name.begin(), name.end()), bytes))
        << name;
}

} // namespace

Canvas Tiles(int height, const std::vector<std::pair<int, uint32_t>>& tiles) {
    int width = 0;
    for (const auto& tile : tiles)
        width += tile.first;
    Canvas canvas(width, height);
    int x = 0;
    for (const auto& [tileWidth, rgb] : tiles) {
        canvas.Fill(Rect(x, 0, x + tileWidth, height), Hex(rgb));
        x += tileWidth;
    }
    return canvas;
}

Canvas Solid(int width, int height, uint32_t rgb) {
    return Canvas(width, height, Hex(rgb));
}

TestSkin::TestSkin(const std::string& name)
    : m_folder(MakeLocalScratchFolder("skinshell_" + name)) {}

void TestSkin::Bitmap(const std::string& name, const Canvas& picture) const {
    Write(m_folder, name, EncodeBmp(picture.Width(), picture.Height(), picture.Rgba()));
}

void TestSkin::Png(const std::string& name, const Canvas& picture) const {
    Write(m_folder, name, EncodePng(picture.Width(), picture.Height(), picture.Rgba()));
}

void TestSkin::Text(const std::string& name, const std::string& text) const {
    Write(m_folder, name, text);
}

CurrentDirectory::CurrentDirectory(const std::wstring& folder) {
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    m_previous = previous;
    EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str())) << Narrow(folder);
}

CurrentDirectory::~CurrentDirectory() {
    SetCurrentDirectoryW(m_previous.c_str());
}

MessageBoxCloser::MessageBoxCloser()
    : m_hook(SetWindowsHookExW(WH_CBT, CloseMessageBoxes, nullptr, GetCurrentThreadId())) {
    g_boxTexts.clear();
}

MessageBoxCloser::~MessageBoxCloser() {
    UnhookWindowsHookEx(m_hook);
}

const std::vector<std::wstring>& MessageBoxCloser::Texts() const {
    return g_boxTexts;
}

void ShowPainted(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void SendMouse(HWND window, UINT message, int x, int y) {
    const WPARAM buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    const WPARAM hit =
        message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP
            ? HTCAPTION
            : buttons;
    SendMessageW(window, message, hit, MAKELPARAM(x, y));
}

SIZE WindowSize(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

int CountColour(const PixelBuffer& pixels, uint32_t colour, int left, int top, int right,
                int bottom) {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, pixels.height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, pixels.width); ++x)
            count += pixels.At(x, y) == colour ? 1 : 0;
    return count;
}

int FirstColumnWith(const PixelBuffer& pixels, uint32_t colour, int left, int top, int right,
                    int bottom) {
    for (int x = std::max(left, 0); x < std::min(right, pixels.width); ++x)
        if (CountColour(pixels, colour, x, top, x + 1, bottom) > 0)
            return x;
    return -1;
}
