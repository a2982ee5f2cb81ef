// What the player tests share: a video window to play in, an owner window
// that records the player's notifications, a draw callback that records the
// frames it sees, and the media requests the server logged.
#pragma once

#include "control_site.h"
#include "recording_window.h"
#include "request_log.h"
#include "video_play_interface.h"
#include "window.h"

#include <mutex>
#include <string>
#include <vector>

class PlayerWindows {
public:
    PlayerWindows();

    HWND Video() const { return m_video.Hwnd(); }
    HWND Owner() const { return m_owner.Hwnd(); }
    const std::vector<RecordingWindow::Received>& Notices() const { return m_owner.All(); }
    size_t CountOf(WPARAM code) const { return m_owner.CountOf(code); }
    bool WaitFor(WPARAM code, DWORD timeoutMs = 5000, size_t count = 1) const {
        return m_owner.WaitFor(code, timeoutMs, count);
    }

private:
    TestParentWindow m_video;
    RecordingWindow m_owner{kPlayNotifyMessage};
};

// Counts the frames a draw callback sees and the user values it is given.
struct FrameCounter {
    static void Draw(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user);

    mutable std::mutex lock;
    std::vector<int> frames;
    std::vector<void*> users;
    size_t Count() const {
        std::lock_guard<std::mutex> hold(lock);
        return frames.size();
    }
};
// A second callback, for checking that both are called.
void CountingDraw2(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user);

// The media requests ("PLAY", "SEEK", ...) the server logged since offset.
std::vector<LoggedRequest> MediaRequestsSince(size_t offset);
