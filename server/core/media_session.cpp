#include "media_session.h"

#include "catalog.h"
#include "frame_renderer.h"
#include "request_paths.h"
#include "scene_frame.h"
#include "synopsis_metadata.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <type_traits>

namespace {

// Sample videos are scene descriptions of a few hundred bytes.
constexpr uintmax_t kMaxMediaFileSize = 1 << 20;

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::optional<media::MediaInfo> MediaInfoOf(const SampleVideo& video) {
    media::MediaInfo info;
    info.width = static_cast<uint32_t>(video.width);
    info.height = static_cast<uint32_t>(video.height);
    info.rateNumerator = static_cast<uint32_t>(video.fps);
    info.rateDenominator = 1;
    info.frameCount = static_cast<uint32_t>(std::max(video.frameCount, 0));
    info.format = video.pictures == PictureFormat::kBgra32 ? media::PixelFormat::kBgra32
                                                           : media::PixelFormat::kI420;
    info.flags = IsSynopsis(video) ? uint32_t{media::kMediaHasMetadata} : 0u;
    if (video.width <= 0 || video.height <= 0 || video.fps <= 0 || !media::IsValidMediaInfo(info))
        return std::nullopt;
    return info;
}

} // namespace

MediaOpener FolderMediaOpener(std::filesystem::path filesRoot) {
    return [root = std::move(filesRoot)](const std::string& serverPath, SampleVideo& video) {
        const std::string prefix = std::string(kServerDrive) + kServerDataFolderName + "\\";
        if (!StartsWithIgnoringCase(serverPath, prefix))
            return MediaLookup::kNotFound;
        const std::string relative =
            RelativeOfServerPath(prefix + serverPath.substr(prefix.size()));
        const auto file = FileForRequestPath(root, relative);
        std::error_code ec;
        if (!file || !std::filesystem::is_regular_file(*file, ec))
            return MediaLookup::kNotFound;
        const uintmax_t size = std::filesystem::file_size(*file, ec);
        if (ec || size > kMaxMediaFileSize)
            return MediaLookup::kUnreadable;
        std::ifstream in(*file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::string error;
        auto read = ReadSampleVideo(text.str(), error);
        if (!in || !read)
            return MediaLookup::kUnreadable;
        video = std::move(*read);
        return MediaLookup::kFound;
    };
}

void MediaSession::Handle(const media::Request& request, Clock::time_point now,
                          std::vector<uint8_t>& out) {
    std::visit(
        [&](const auto& r) {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, media::LoginRequest>) {
                media::LoginReply reply;
                if (r.version != media::kProtocolVersion)
                    reply.result = media::kLoginBadVersion;
                else if (r.user != kMediaCredential || r.password != kMediaCredential)
                    reply.result = media::kLoginRefused;
                m_loggedIn = reply.result == media::kLoginOk;
                media::AppendReply(reply, out);
            } else if constexpr (std::is_same_v<T, media::OpenRequest>) {
                Open(r, out);
            } else if constexpr (std::is_same_v<T, media::PlayRequest>) {
                if (!m_video)
                    return;
                if (m_next >= m_info.frameCount)
                    m_next = 0; // playing at the end starts over
                m_playing = true;
                m_stillPending = false;
                StartClock(now);
            } else if constexpr (std::is_same_v<T, media::PauseRequest>) {
                m_playing = false;
            } else if constexpr (std::is_same_v<T, media::SeekRequest>) {
                if (!m_video || m_info.frameCount == 0)
                    return;
                m_token = r.token;
                m_next = std::min(r.frame, m_info.frameCount - 1);
                m_stillPending = !m_playing;
                StartClock(now);
            } else {
                static_assert(std::is_same_v<T, media::CloseRequest>);
                // Answered even with nothing open: the client waits for it.
                m_video.reset();
                m_playing = false;
                m_stillPending = false;
                media::AppendReply(media::ClosedReply{r.token, media::kClosedByClient}, out);
            }
        },
        request);
}

void MediaSession::Open(const media::OpenRequest& request, std::vector<uint8_t>& out) {
    // Whatever was open is closed by opening another media.
    m_video.reset();
    m_playing = false;
    m_stillPending = false;
    m_token = request.token;
    m_next = 0;
    media::OpenReply reply;
    reply.token = request.token;
    if (!m_loggedIn) {
        reply.result = media::kOpenNotLoggedIn;
        media::AppendReply(reply, out);
        return;
    }
    SampleVideo video;
    const MediaLookup lookup = m_opener(request.path, video);
    const auto info = lookup == MediaLookup::kFound ? MediaInfoOf(video) : std::nullopt;
    if (lookup == MediaLookup::kNotFound)
        reply.result = media::kOpenNotFound;
    else if (!info)
        reply.result = media::kOpenCannotPlay;
    else {
        reply.info = *info;
        m_info = *info;
        m_synopsis = (info->flags & media::kMediaHasMetadata) != 0;
        m_video = std::move(video);
    }
    media::AppendReply(reply, out);
}

void MediaSession::StartClock(Clock::time_point now) {
    m_anchorTime = now;
    m_anchorIndex = m_next;
}

std::optional<MediaSession::Clock::time_point> MediaSession::NextFrameDue() const {
    if (!m_video)
        return std::nullopt;
    if (m_stillPending)
        return m_anchorTime;
    if (!m_playing)
        return std::nullopt;
    const std::chrono::duration<double> offset(static_cast<double>(m_next - m_anchorIndex) *
                                               m_info.rateDenominator / m_info.rateNumerator);
    return m_anchorTime + std::chrono::duration_cast<Clock::duration>(offset);
}

void MediaSession::AppendDueFrame(std::vector<uint8_t>& out) {
    if (!m_video)
        return;
    if (m_stillPending) {
        m_stillPending = false;
        AppendFrame(m_next, media::kFrameStill, out);
        return;
    }
    if (!m_playing)
        return;
    if (m_next < m_info.frameCount)
        AppendFrame(m_next++, 0, out);
    if (m_next >= m_info.frameCount) {
        m_playing = false;
        media::AppendReply(media::EndReply{m_token}, out);
    }
}

void MediaSession::AppendServerClosing(std::vector<uint8_t>& out) {
    if (!m_video)
        return;
    m_video.reset();
    m_playing = false;
    media::AppendReply(media::ClosedReply{m_token, media::kClosedByServer}, out);
}

void MediaSession::AppendFrame(uint32_t index, uint32_t flags, std::vector<uint8_t>& out) const {
    const int32_t position = static_cast<int32_t>(index);
    const std::vector<uint8_t> picture = RenderFrame(*m_video, position);
    const std::vector<uint8_t> metadata =
        m_synopsis ? SynopsisMetadata(*m_video, position) : std::vector<uint8_t>();
    media::FrameMessage frame;
    frame.token = m_token;
    frame.index = index;
    frame.timeMs = m_info.TimeOfFrameMs(index);
    frame.flags = flags;
    frame.metadata = metadata;
    frame.picture = picture;
    media::AppendFrame(frame, out);
}
