// What the skinned-dialog tests share: test skins drawn in solid colours,
// message boxes closed the moment they open, derived dialogs that record
// what their bases send them, and pixels read back from the screen.
#pragma once

#include "SkinShell.h"

#include "canvas.h"
#include "image.h"
#include "test_dialog_ids.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A picture of solid tiles side by side: (width, 0xRRGGBB) each.
Canvas Tiles(int height, const std::vector<std::pair<int, uint32_t>>& tiles);
Canvas Solid(int width, int height, uint32_t rgb);

// A new, empty folder of the test's own, with writers for skin files in it.
class TestSkin {
public:
    explicit TestSkin(const std::string& name);
    const std::wstring& Folder() const { return m_folder; }
    void Bitmap(const std::string& name, const Canvas& picture) const;
    void Png(const std::string& name, const Canvas& picture) const;
    void Text(const std::string& name, const std::string& text) const;

private:
    std::wstring m_folder;
};

// Runs the test from folder (the skins name files relative to it).
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder);
    ~CurrentDirectory();

private:
    std::wstring m_previous;
};

// Closes every message box this thread opens, as it is shown, keeping its text.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;
    const std::vector<std::wstring>& Texts() const;

private:
    HHOOK m_hook;
};

// A dialog derived from a skinned base the way an application derives one:
// its own table on top of the base's. It counts WM_CLOSE and the window moves
// the base starts (and takes both: the window neither closes nor enters the
// system's move loop).
template <class Base> class Recorder : public Base {
public:
    explicit Recorder(UINT id) : Base(id, nullptr) {}
    ~Recorder() override { this->Destroy(); }

    int closes = 0;
    int moves = 0;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    LRESULT OnClose(WPARAM, LPARAM, bool&) {
        ++closes;
        return 0;
    }
    LRESULT OnSysCommand(WPARAM wParam, LPARAM, bool& handled) {
        if ((wParam & 0xFFF0) == SC_MOVE)
            ++moves;
        else
            handled = false;
        return 0;
    }
    static const MessageEntry<Recorder> kMessages[2];
};

template <class Base>
const MessageEntry<Recorder<Base>> Recorder<Base>::kMessages[2] = {
    {WM_CLOSE, &Recorder::OnClose},
    {WM_SYSCOMMAND, &Recorder::OnSysCommand},
};
template <class Base>
const MessageMap Recorder<Base>::messageMap =
    ChainMessageTable<Recorder<Base>, Recorder<Base>::kMessages>(&Base::messageMap);
// Shows the window and paints it, frame included.
void ShowPainted(HWND window);
// Mouse messages as the system sends them (client or screen coordinates).
void SendMouse(HWND window, UINT message, int x, int y);
// The window's size.
SIZE WindowSize(HWND window);
// Pixels of colour (0xRRGGBB) inside [left, right) x [top, bottom).
int CountColour(const PixelBuffer& pixels, uint32_t colour, int left, int top, int right,
                int bottom);
// The first column at or right of left that holds colour in rows [top, bottom); -1 if none.
int FirstColumnWith(const PixelBuffer& pixels, uint32_t colour, int left, int top, int right,
                    int bottom);
