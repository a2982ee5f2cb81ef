// One client of the media service, without the socket: it answers the
// client's requests and decides which frame to send when. The connection
// that owns it feeds requests in and sends what it appends to the output.
#pragma once

#include "media_protocol.h"
#include "sample_video.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class MediaLookup { kFound, kNotFound, kUnreadable };
// Finds and reads a media file by the server path a client names.
using MediaOpener = std::function<MediaLookup(const std::string& serverPath, SampleVideo& video)>;

// The opener over the server's data folder: paths "E:\AstRP_1v2\..." (the
// drive and folder in any case) name the files below filesRoot; any other
// path, or one leading out of the folder, is not found.
MediaOpener FolderMediaOpener(std::filesystem::path filesRoot);

// The one credential the media service accepts, as user and as password.
inline constexpr const char* kMediaCredential = "kerbo";

class MediaSession {
public:
    using Clock = std::chrono::steady_clock;

    explicit MediaSession(MediaOpener opener) : m_opener(std::move(opener)) {}

    // Answers one request; replies are appended to out.
    void Handle(const media::Request& request, Clock::time_point now, std::vector<uint8_t>& out);

    // When the next frame is due; nothing while no frame is to be sent
    // (nothing open, paused, or past the end).
    std::optional<Clock::time_point> NextFrameDue() const;
    // Appends the frame that is due, and the end notice after the last one.
    void AppendDueFrame(std::vector<uint8_t>& out);
    // The server is going away: tells a client that has a media open.
    void AppendServerClosing(std::vector<uint8_t>& out);

    bool HasMedia() const { return m_video.has_value(); }
    const media::MediaInfo& Info() const { return m_info; }

private:
    void Open(const media::OpenRequest& request, std::vector<uint8_t>& out);
    void StartClock(Clock::time_point now);
    void AppendFrame(uint32_t index, uint32_t flags, std::vector<uint8_t>& out) const;

    MediaOpener m_opener;
    bool m_loggedIn = false;
    std::optional<SampleVideo> m_video;
    media::MediaInfo m_info;
    bool m_synopsis = false;
    uint32_t m_token = 0;
    uint32_t m_next = 0; // position of the next frame to send
    bool m_playing = false;
    bool m_stillPending = false; // a seek while paused shows that one frame
    // Frames are paced from this anchor: frame k is due (k - anchorIndex)
    // frame durations after anchorTime.
    Clock::time_point m_anchorTime;
    uint32_t m_anchorIndex = 0;
};
