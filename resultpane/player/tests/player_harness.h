// What the player tests share: a video window to play in, an owner window
// that records the player's notifications, a draw callback that records the
// frames it sees, and the media requests the server logged.
#pragma once

#include "control_site.h"
#include "request_log.h"
#include "video_play_interface.h"
#include "window.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class PlayerWindows {
public:
    PlayerWindows();
    ~PlayerWindows();

    HWND Video() const { return m_video.Hwnd(); }
    HWND Owner() const;

    struct Notice {
        WPARAM code;
        LPARAM detail;
    };
    std::vector<Notice> Notices() const;
    size_t CountOf(WPARAM code) const;
    bool WaitFor(WPARAM code, DWORD timeoutMs = 5000, size_t count = 1) const;

private:
    class OwnerWindow;
    TestParentWindow m_video;
    std::unique_ptr<OwnerWindow> m_owner;
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
// The fixture's host without its port, as the playback panel gives it.
std::wstring FixtureHost();
