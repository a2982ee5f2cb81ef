// One StreamLink player: the connection to the media service, the network
// thread that reads the server's replies, and the rendering thread that
// decodes, lets the draw function draw and presents every frame.
//
// All state is guarded by one lock, which is never held while calling out
// (draw function, window messages, sockets), so a draw function may call back
// into its player. Frames travel from the network thread to the rendering
// thread through a short queue; a full queue makes the network thread wait,
// which in turn makes the server wait: a slow client slows the stream down
// rather than losing frames. Every open and seek takes a new token; frames
// and notices tagged with an older token are dropped wherever they are.
#pragma once

#include "media_connection.h"
#include "media_protocol.h"
#include "module_thread.h"
#include "streamlink.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class StreamPlayer {
public:
    StreamPlayer(SC_PLAYER handle, UINT message, HWND window);
    ~StreamPlayer();
    StreamPlayer(const StreamPlayer&) = delete;
    StreamPlayer& operator=(const StreamPlayer&) = delete;

    // Starts the rendering thread; false when it cannot run.
    bool Start();
    // Ends both threads and the connection; nothing is posted afterwards.
    void Shutdown();
    // True on the player's own network or rendering thread, which cannot
    // wait for themselves to end.
    bool OnOwnThread() const;

    bool Connect(const std::string& server, uint16_t port, const std::string& user,
                 const std::string& password);
    bool OpenMedia(const std::string& path);
    bool CloseMedia();
    bool Play();
    bool Pause();
    bool SeekFrame(uint32_t frame);
    int Status() const;

    uint32_t TotalFrames() const;
    uint32_t TotalTimeMs() const;
    int VideoWidth() const;
    int VideoHeight() const;
    uint32_t CurrentFrame() const; // 0xFFFFFFFF when none
    uint32_t CurrentTimeMs() const;

    void SetDrawFunction(SC_DrawFun draw, void* user);
    bool Repaint();
    // SC_GetOriginalImage's contract: 0 on success.
    int CopyPicture(unsigned char* buffer, unsigned int* length) const;

    // The most frames waiting for the rendering thread.
    static constexpr size_t kQueueLength = 3;

private:
    struct QueuedFrame {
        uint32_t token = 0;
        bool end = false; // the end notice, kept in order behind the frames
        uint32_t index = 0;
        uint32_t timeMs = 0;
        uint32_t flags = 0;
        std::shared_ptr<const std::vector<uint8_t>> payload;
        std::span<const uint8_t> metadata, picture; // within payload
    };
    enum class MediaState { kNone, kOpening, kOpen, kClosing };

    void NetworkLoop();
    void OnReply(const media::Reply& reply, std::shared_ptr<const std::vector<uint8_t>> payload);
    void OnFrame(const media::FrameMessage& frame,
                 std::shared_ptr<const std::vector<uint8_t>> payload);
    void RenderLoop();

    // Under the lock: a new token that voids every frame queued or in flight.
    uint32_t NewTokenLocked();
    // Under the lock: records a status; returns it for posting afterwards.
    int SetStatusLocked(int status);
    void Post(int status) const;
    bool SendRequest(const media::Request& request);

    const SC_PLAYER m_handle;
    const UINT m_message;
    const HWND m_window;

    mutable std::mutex m_lock;
    std::condition_variable m_renderWake; // the rendering thread has work or must end
    std::condition_variable m_queueSpace; // the network thread may queue again
    bool m_quit = false;
    int m_status = SC_STATUS_CREATED;

    std::shared_ptr<MediaConnection> m_connection;
    ModuleThread m_networkThread;
    ModuleThread m_renderThread;

    MediaState m_mediaState = MediaState::kNone;
    media::MediaInfo m_media;
    uint32_t m_token = 0;
    bool m_paused = true;
    int64_t m_currentFrame = -1;
    std::deque<QueuedFrame> m_queue;
    std::shared_ptr<const QueuedFrame> m_lastPicture;
    bool m_repaint = false;

    SC_DrawFun m_draw = nullptr;
    void* m_drawUser = nullptr;
};
