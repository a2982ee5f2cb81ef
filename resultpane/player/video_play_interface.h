// The player abstraction of the result viewer: a fixed table of virtual
// operations with defaults, implemented by the streaming player and forwarded
// by the handle the playback panel holds.
#pragma once

#include "streamlink.h"

#include <windows.h>

#include <cstdint>

// winbase.h makes GetCurrentTime() a macro; here it is an operation.
#undef GetCurrentTime

// Draw callbacks see every rendered frame before it is shown: the library's
// pass-through value, a DC on the picture in picture pixels, the frame's
// information, and the user value they were added with.
using DrawCallback = SC_DrawFun;

// Messages the player posts to its owner window (lParam 0 unless stated).
inline constexpr UINT kPlayNotifyMessage = 1025;
enum PlayNotify : WPARAM {
    PlayNotifyFailed = 0,      // the media could not be played
    PlayNotifyStarted = 1,     // the media opened and plays
    PlayNotifyFileMissing = 2, // no media at that path
    PlayNotifyComplete = 3,    // the media (or the segment) ended or was closed
};

// Play states; GetState of a player that was never opened answers kNoPlayer.
enum PlayState : int32_t {
    kPlayIdle = 0,
    kPlayPlaying = 1,
    kPlayPaused = 2,
    kPlayStopped = 3,
    kNoPlayer = 4,
};

class CVideoPlayInterface {
public:
    virtual ~CVideoPlayInterface() = default;
    // Plays path (the whole file when startFrame equals endFrame) inside
    // parent, from server's media service; owner receives kPlayNotifyMessage.
    // 1 when accepted, 0 when refused.
    virtual int Open(HWND parent, const wchar_t* path, HWND owner, uint32_t startFrame,
                     uint32_t endFrame, const wchar_t* server) = 0;
    virtual int Play() = 0;
    virtual int Pause() = 0;
    virtual int Stop() = 0;
    virtual int GetState() = 0;
    virtual int Extension6(int value) = 0;
    // Getters return 1 with a valid value written, or 0 with 0.0 written.
    virtual int GetTotalTime(double& seconds) = 0;
    virtual int GetCurrentTime(double& seconds) = 0;
    virtual int SeekTime(double seconds) = 0;
    virtual int GetTotalFrames(double& frames) = 0;
    virtual int GetCurrentFrame(double& frame) = 0;
    virtual int SeekFrame(double frame) = 0;
    virtual void* Extension13() { return nullptr; }
    virtual void* Extension14() { return nullptr; }
    virtual int Extension15(int) { return -1; }
    virtual double Extension16() { return 1.0; }
    virtual double GetFrameRate() { return 0.0; }
    virtual void GetVideoSize(int& width, int& height) {
        (void)width;
        (void)height;
    }
    // Called by the video window on every resize with 0, 0 and its size.
    virtual void Extension19(int, int, int, int) {}
    virtual void Extension20(int) {}
    virtual void Extension21(int) {}
    virtual void AddDrawCallback(DrawCallback callback, void* user) {
        (void)callback;
        (void)user;
    }
    virtual void RemoveDrawCallback(DrawCallback callback) { (void)callback; }
    virtual void Refresh() {}
    virtual int IsOpen() { return 0; }
    // Writes the last picture as a bitmap file; 1 when written.
    virtual int Snapshot(const wchar_t* path) {
        (void)path;
        return 0;
    }
};
