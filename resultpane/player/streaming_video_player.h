// The working player: drives StreamLink.dll through a hidden child window
// that receives the library's notifications, keeps the current file and
// segment, a small play state machine and the draw callbacks that see every
// rendered frame.
//
// Threads: everything but the frame hook runs on the thread that owns the
// hidden window. The frame hook runs on the library's rendering thread: it
// reads the segment bounds, the library handle and the callback map, and may
// call Stop. Those are atomics, the bounds are judged through a SegmentGuard,
// and the map is replaced whole (copy, change, publish) so the hook never
// sees one in the middle of a change. Removing a draw callback waits for a
// frame being drawn, so a removed callback is never called again.
#pragma once

#include "message_map.h"
#include "play_commands.h"
#include "play_positions.h"
#include "segment_guard.h"
#include "video_play_interface.h"
#include "window.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CStreamingVideoPlayer : public CustomWindow, public CVideoPlayInterface {
public:
    CStreamingVideoPlayer();
    ~CStreamingVideoPlayer() override;

    int Open(HWND parent, const wchar_t* path, HWND owner, uint32_t startFrame, uint32_t endFrame,
             const wchar_t* server) override;
    int Play() override;
    int Pause() override;
    int Stop() override;
    int GetState() override { return m_state; }
    int Extension6(int) override { return 0; }
    int GetTotalTime(double& seconds) override;
    int GetCurrentTime(double& seconds) override;
    int SeekTime(double seconds) override;
    int GetTotalFrames(double& frames) override;
    int GetCurrentFrame(double& frame) override;
    int SeekFrame(double frame) override;
    int Extension15(int) override { return 0; }
    double GetFrameRate() override { return m_framesPerSecond; }
    void GetVideoSize(int& width, int& height) override;
    void AddDrawCallback(DrawCallback callback, void* user) override;
    void RemoveDrawCallback(DrawCallback callback) override;
    void Refresh() override;
    int IsOpen() override;
    int Snapshot(const wchar_t* path) override;

    // Messages of the hidden window.
    static constexpr UINT kLibraryNotifyMessage = 1124;
    static constexpr UINT kOpenedMessage = 1125;
    static constexpr UINT kFailedMessage = kPlayerFailedMessage;
    static constexpr uint16_t kMediaPort = 1980;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    using CallbackMap = std::map<DrawCallback, void*>;

    LRESULT OnLibraryNotify(WPARAM status, LPARAM player, bool& handled);
    LRESULT OnOpened(WPARAM, LPARAM, bool& handled);
    LRESULT OnFailed(WPARAM code, LPARAM detail, bool& handled);
    LRESULT OnDestroy(WPARAM, LPARAM, bool& handled);

    static void FrameHook(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user);
    void OnFrame(void* passThrough, HDC dc, const SC_FrameInfo* frame);

    bool CreateHiddenWindow(HWND parent);
    bool StartNewPlayer(const std::wstring& server);
    void ClosePlayer();
    // A player that has a library handle and is not stopped.
    bool Usable() const;
    SegmentBounds Segment() const { return m_segment.Bounds(); }
    // Tells the owner the media could not be opened; the player is stopped.
    void ReportOpenFailure();

    static const MessageEntry<CStreamingVideoPlayer> kMessages[];

    std::atomic<std::shared_ptr<const CallbackMap>> m_drawCallbacks;
    // Held by the rendering thread while it calls the draw callbacks.
    std::mutex m_drawing;
    std::atomic<DWORD> m_drawingThread{0};
    HWND m_ownerWindow = nullptr;
    std::atomic<SC_PLAYER> m_player{nullptr};
    std::wstring m_filePath;
    SegmentGuard m_segment;
    uint32_t m_pendingSeekFrame = 0;
    std::atomic<int32_t> m_state{kPlayIdle};
    CPlayNewFile m_playNewFile{m_player};
    CPlayOtherFile m_playOtherFile{m_player};
    std::vector<CPlayCommand*> m_pendingCommands;
    double m_framesPerSecond = 25.0;
};
