// What the StreamLink tests share: a video window with the hidden window a
// player notifies, a recorder for draw-function calls, and small media files.
#pragma once

#include "control_site.h"
#include "recording_window.h"
#include "sample_video.h"
#include "streamlink.h"
#include "window.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

inline constexpr UINT kNotifyMessage = 1124;

// A visible video window and, inside it, the hidden window that receives the
// player's notifications and records them.
class NotifiedWindows {
public:
    NotifiedWindows(int width, int height);

    HWND Video() const { return m_video.Hwnd(); }
    HWND Notify() const { return m_notify.Hwnd(); }
    const std::vector<RecordingWindow::Received>& Notices() const { return m_notify.All(); }
    size_t CountOf(int status) const { return m_notify.CountOf(static_cast<WPARAM>(status)); }
    // Dispatches messages until status has been posted count times.
    bool WaitForStatus(int status, DWORD timeoutMs, size_t count = 1) const {
        return m_notify.WaitFor(static_cast<WPARAM>(status), timeoutMs, count);
    }

private:
    TestParentWindow m_video;
    RecordingWindow m_notify{kNotifyMessage};
};

// Records the draw function's calls (on the rendering thread); the recorded
// frame may get a filled square in the colour given.
class DrawRecorder {
public:
    struct Call {
        void* passThrough;
        void* user;
        SC_FrameInfo info;
        std::vector<uint8_t> metadata;
    };
    static void Draw(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user);

    std::vector<Call> Calls() const;
    size_t Count() const;
    // Draws a square of side pixels at the picture's top-left corner.
    void FillCorner(int side, COLORREF color);
    // Calls extra on the rendering thread after recording each frame.
    void SetExtra(std::function<void(const SC_FrameInfo&)> extra);

private:
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    int m_cornerSide = 0;
    COLORREF m_cornerColor = 0;
    std::function<void(const SC_FrameInfo&)> m_extra;
};

// A player connected to the fixture's media service (status 6 received).
struct ConnectedPlayer {
    SC_PLAYER handle = nullptr;
    ~ConnectedPlayer() {
        if (handle)
            SC_ClosePlayer(handle);
    }
};
bool ConnectToFixture(NotifiedWindows& windows, ConnectedPlayer& player);
// The fixture's address without its port.
std::string FixtureHost();
// Opens path and waits for status 11.
bool OpenAndWait(NotifiedWindows& windows, SC_PLAYER player, const std::string& path);
// The media requests ("PAUSE", "SEEK 50") that the service logged after offset
// from the connection that opened path, following that open. The tests of
// one program run side by side, so a test finds its own connection by a
// media path no other test opens.
std::vector<std::string> MediaRequestsAfterOpening(size_t offset, const std::string& path);
