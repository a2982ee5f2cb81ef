#include "stream_player.h"

#include "buffer_pool.h"
#include "frame_canvas.h"

#include <algorithm>
#include <type_traits>

namespace {

// SC_ConnectServer waits at most this long for the server to answer, so a
// dead address does not hold the caller's user-interface thread for long.
constexpr DWORD kConnectTimeoutMs = 3000;
constexpr uint32_t kNoFrame = 0xFFFFFFFFu;

} // namespace

StreamPlayer::StreamPlayer(SC_PLAYER handle, UINT message, HWND window)
    : m_handle(handle), m_message(message), m_window(window) {}

StreamPlayer::~StreamPlayer() {
    Shutdown();
}

bool StreamPlayer::Start() {
    return m_renderThread.Start([this] { RenderLoop(); });
}

bool StreamPlayer::OnOwnThread() const {
    return m_renderThread.IsCurrent() || m_networkThread.IsCurrent();
}

void StreamPlayer::Shutdown() {
    std::shared_ptr<MediaConnection> connection;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_quit = true;
        connection = m_connection;
    }
    m_renderWake.notify_all();
    m_queueSpace.notify_all();
    if (connection)
        connection->Interrupt();
    m_networkThread.Join();
    m_renderThread.Join();
    std::lock_guard<std::mutex> hold(m_lock);
    m_connection.reset();
    m_queue.clear();
}

void StreamPlayer::Post(int status) const {
    if (status != 0)
        PostMessageW(m_window, m_message, static_cast<WPARAM>(status),
                     reinterpret_cast<LPARAM>(m_handle));
}

int StreamPlayer::SetStatusLocked(int status) {
    m_status = status;
    return status;
}

uint32_t StreamPlayer::NewTokenLocked() {
    ++m_token;
    m_queue.clear();
    m_queueSpace.notify_all();
    return m_token;
}

bool StreamPlayer::SendRequest(const media::Request& request) {
    std::shared_ptr<MediaConnection> connection;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        connection = m_connection;
    }
    return connection && connection->Send(request);
}

// ---- connecting and the network thread ----------------------------------

bool StreamPlayer::Connect(const std::string& server, uint16_t port, const std::string& user,
                           const std::string& password) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || m_connection || m_networkThread.Running())
            return false;
        SetStatusLocked(SC_STATUS_CONNECTING);
    }
    auto connection = std::make_shared<MediaConnection>();
    if (!connection->Connect(server, port, kConnectTimeoutMs)) {
        // Refused at once: the caller learns it from the result alone.
        std::lock_guard<std::mutex> hold(m_lock);
        SetStatusLocked(SC_STATUS_CONNECTION_FAILED);
        return false;
    }
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit) {
            SetStatusLocked(SC_STATUS_CONNECTION_FAILED);
            return false;
        }
        m_connection = connection;
        if (!m_networkThread.Start([this] { NetworkLoop(); })) {
            m_connection.reset();
            SetStatusLocked(SC_STATUS_CONNECTION_FAILED);
            return false;
        }
        SetStatusLocked(SC_STATUS_LOGGING_IN);
    }
    if (!connection->Send(media::LoginRequest{media::kProtocolVersion, user, password}))
        connection->Interrupt(); // the network thread reports the loss
    return true;
}

void StreamPlayer::NetworkLoop() {
    std::shared_ptr<MediaConnection> connection;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        connection = m_connection;
    }
    // The queue, the frame being drawn and the last picture hold buffers.
    const auto buffers = BufferPool::Make(kQueueLength + 3);
    media::MessageHeader header;
    for (;;) {
        std::shared_ptr<std::vector<uint8_t>> payload = buffers->Take();
        const auto result = connection->Read(header, *payload);
        if (result == MediaConnection::ReadResult::kInterrupted)
            return;
        std::optional<media::Reply> reply;
        if (result == MediaConnection::ReadResult::kMessage)
            reply = media::ParseReply(header.type, *payload);
        if (!reply) {
            int status = 0;
            {
                std::lock_guard<std::mutex> hold(m_lock);
                if (m_quit)
                    return;
                status = SetStatusLocked(result == MediaConnection::ReadResult::kClosed
                                             ? SC_STATUS_CONNECTION_FAILED
                                             : SC_STATUS_STREAM_BROKEN);
                m_mediaState = MediaState::kNone;
                NewTokenLocked();
            }
            connection->Interrupt();
            Post(status);
            return;
        }
        OnReply(*reply, std::move(payload));
    }
}

void StreamPlayer::OnReply(const media::Reply& reply,
                           std::shared_ptr<const std::vector<uint8_t>> payload) {
    if (const auto* frame = std::get_if<media::FrameMessage>(&reply)) {
        OnFrame(*frame, std::move(payload));
        return;
    }
    int status = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit)
            return;
        std::visit(
            [&](const auto& r) {
                using T = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<T, media::LoginReply>) {
                    status = SetStatusLocked(r.result == media::kLoginOk ? SC_STATUS_CONNECTED
                                                                         : SC_STATUS_LOGIN_REFUSED);
                } else if constexpr (std::is_same_v<T, media::OpenReply>) {
                    if (r.token != m_token || m_mediaState != MediaState::kOpening)
                        return; // an open the client has moved on from
                    if (r.result == media::kOpenOk) {
                        m_media = r.info;
                        m_mediaState = MediaState::kOpen;
                        m_paused = true;
                        m_currentFrame = -1;
                        status = SetStatusLocked(SC_STATUS_MEDIA_READY);
                        return;
                    }
                    m_mediaState = MediaState::kNone;
                    status = SetStatusLocked(
                        r.result == media::kOpenNotFound      ? SC_STATUS_FILE_NOT_FOUND
                        : r.result == media::kOpenNotLoggedIn ? SC_STATUS_LOGIN_REFUSED
                                                              : SC_STATUS_OPEN_FAILED);
                } else if constexpr (std::is_same_v<T, media::EndReply>) {
                    // Queued behind the frames, so the end is told once shown.
                    if (r.token == m_token && m_mediaState == MediaState::kOpen) {
                        QueuedFrame end;
                        end.token = r.token;
                        end.end = true;
                        m_queue.push_back(std::move(end));
                        m_renderWake.notify_all();
                    }
                } else if constexpr (std::is_same_v<T, media::ClosedReply>) {
                    if (r.token != m_token)
                        return;
                    m_mediaState = MediaState::kNone;
                    NewTokenLocked();
                    status = SetStatusLocked(r.reason == media::kClosedByServer
                                                 ? SC_STATUS_CLOSED_BY_SERVER
                                                 : SC_STATUS_MEDIA_CLOSED);
                }
            },
            reply);
    }
    Post(status);
}

void StreamPlayer::OnFrame(const media::FrameMessage& frame,
                           std::shared_ptr<const std::vector<uint8_t>> payload) {
    int broken = 0;
    std::shared_ptr<MediaConnection> connection;
    {
        std::unique_lock<std::mutex> hold(m_lock);
        connection = m_connection;
        if (frame.token != m_token || m_mediaState != MediaState::kOpen)
            return;
        if (!media::FrameFitsMedia(frame, m_media)) {
            broken = SetStatusLocked(SC_STATUS_STREAM_BROKEN);
            m_mediaState = MediaState::kNone;
            NewTokenLocked();
        } else {
            const uint32_t token = frame.token;
            m_queueSpace.wait(
                hold, [&] { return m_quit || token != m_token || m_queue.size() < kQueueLength; });
            if (m_quit || token != m_token)
                return;
            QueuedFrame queued;
            queued.token = token;
            queued.index = frame.index;
            queued.timeMs = frame.timeMs;
            queued.flags = frame.flags;
            queued.payload = std::move(payload);
            queued.metadata = frame.metadata;
            queued.picture = frame.picture;
            m_queue.push_back(std::move(queued));
            m_renderWake.notify_all();
            return;
        }
    }
    if (connection)
        connection->Interrupt();
    Post(broken);
}

// ---- the rendering thread ------------------------------------------------

void StreamPlayer::RenderLoop() {
    FrameCanvas canvas;
    for (;;) {
        std::unique_lock<std::mutex> hold(m_lock);
        m_renderWake.wait(hold, [&] {
            if (m_quit || m_repaint)
                return true;
            if (m_queue.empty())
                return false;
            const QueuedFrame& next = m_queue.front();
            return !m_paused || next.end || (next.flags & media::kFrameStill) != 0;
        });
        if (m_quit)
            return;
        const HWND videoWindow = GetParent(m_window);
        if (m_repaint) {
            m_repaint = false;
            hold.unlock();
            canvas.PresentTo(videoWindow);
            continue;
        }
        QueuedFrame item = std::move(m_queue.front());
        m_queue.pop_front();
        m_queueSpace.notify_all();
        if (item.token != m_token)
            continue;
        if (item.end) {
            m_paused = true;
            const int status = SetStatusLocked(SC_STATUS_MEDIA_END);
            hold.unlock();
            Post(status);
            continue;
        }
        const media::MediaInfo media = m_media;
        const SC_DrawFun draw = m_draw;
        void* const user = m_drawUser;
        m_currentFrame = item.index;
        auto shown = std::make_shared<const QueuedFrame>(std::move(item));
        m_lastPicture = shown;
        hold.unlock();

        if (!canvas.Decode(media.format, static_cast<int>(media.width),
                           static_cast<int>(media.height), shown->picture))
            continue;
        if (draw) {
            SC_FrameInfo info = {};
            info.structSize = sizeof(info);
            info.frameNumber = static_cast<int>(shown->index);
            info.frameWidth = static_cast<unsigned short>(media.width);
            info.frameHeight = static_cast<unsigned short>(media.height);
            info.metadataPresent = (media.flags & media::kMediaHasMetadata) ? 1 : 0;
            info.pixelFormat = static_cast<unsigned short>(media.format);
            info.metadata = shown->metadata.empty() ? nullptr : shown->metadata.data();
            info.metadataLength = static_cast<unsigned int>(shown->metadata.size());
            info.timeMs = shown->timeMs;
            const int saved = SaveDC(canvas.Dc());
            draw(m_handle, canvas.Dc(), &info, user);
            RestoreDC(canvas.Dc(), saved);
        }
        // A close or seek made while drawing voids this frame.
        hold.lock();
        const bool current = shown->token == m_token;
        hold.unlock();
        if (current)
            canvas.PresentTo(videoWindow);
    }
}

// ---- requests from the client --------------------------------------------

bool StreamPlayer::OpenMedia(const std::string& path) {
    if (path.empty() || path.size() > media::kMaxTextLength)
        return false;
    uint32_t token = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_connection || m_quit)
            return false;
        token = NewTokenLocked();
        m_mediaState = MediaState::kOpening;
        m_media = media::MediaInfo{};
        m_currentFrame = -1;
        m_paused = true;
        m_lastPicture.reset();
        SetStatusLocked(SC_STATUS_OPENING);
    }
    if (SendRequest(media::OpenRequest{token, path}))
        return true;
    // The connection is gone: nothing is opening, and no reply will come.
    std::lock_guard<std::mutex> hold(m_lock);
    if (token == m_token) {
        m_mediaState = MediaState::kNone;
        SetStatusLocked(SC_STATUS_CONNECTION_FAILED);
    }
    return false;
}

bool StreamPlayer::CloseMedia() {
    uint32_t token = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || m_mediaState == MediaState::kClosing)
            return false;
        if (m_mediaState == MediaState::kNone || !m_connection) {
            // Nothing to close: complete at once.
            m_mediaState = MediaState::kNone;
            SetStatusLocked(SC_STATUS_MEDIA_CLOSED);
        } else {
            token = NewTokenLocked();
            m_mediaState = MediaState::kClosing;
            m_currentFrame = -1;
            SetStatusLocked(SC_STATUS_CLOSING);
        }
    }
    if (token != 0 && !SendRequest(media::CloseRequest{token})) {
        // The connection is gone, and with it the media: the close is
        // complete, and the caller waiting for it must hear so.
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_mediaState == MediaState::kClosing) {
            m_mediaState = MediaState::kNone;
            SetStatusLocked(SC_STATUS_MEDIA_CLOSED);
        }
        token = 0;
    }
    if (token == 0)
        Post(SC_STATUS_MEDIA_CLOSED);
    return true;
}

bool StreamPlayer::Play() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || m_mediaState != MediaState::kOpen)
            return false;
        m_paused = false;
        SetStatusLocked(SC_STATUS_PLAYING);
    }
    m_renderWake.notify_all();
    return SendRequest(media::PlayRequest{});
}

bool StreamPlayer::Pause() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || m_mediaState != MediaState::kOpen)
            return false;
        m_paused = true;
        SetStatusLocked(SC_STATUS_PAUSED);
    }
    return SendRequest(media::PauseRequest{});
}

bool StreamPlayer::SeekFrame(uint32_t frame) {
    uint32_t token = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || m_mediaState != MediaState::kOpen || m_media.frameCount == 0)
            return false;
        token = NewTokenLocked();
        m_currentFrame = std::min(frame, m_media.frameCount - 1);
        if (m_status == SC_STATUS_MEDIA_END)
            SetStatusLocked(SC_STATUS_PAUSED);
    }
    return SendRequest(media::SeekRequest{token, frame});
}

int StreamPlayer::Status() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_status;
}

uint32_t StreamPlayer::TotalFrames() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_mediaState == MediaState::kOpen ? m_media.frameCount : 0;
}

uint32_t StreamPlayer::TotalTimeMs() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_mediaState == MediaState::kOpen ? m_media.DurationMs() : 0;
}

int StreamPlayer::VideoWidth() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_mediaState == MediaState::kOpen ? static_cast<int>(m_media.width) : 0;
}

int StreamPlayer::VideoHeight() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_mediaState == MediaState::kOpen ? static_cast<int>(m_media.height) : 0;
}

uint32_t StreamPlayer::CurrentFrame() const {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_mediaState != MediaState::kOpen || m_currentFrame < 0)
        return kNoFrame;
    return static_cast<uint32_t>(m_currentFrame);
}

uint32_t StreamPlayer::CurrentTimeMs() const {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_mediaState != MediaState::kOpen || m_currentFrame < 0)
        return 0;
    return m_media.TimeOfFrameMs(static_cast<uint32_t>(m_currentFrame));
}

void StreamPlayer::SetDrawFunction(SC_DrawFun draw, void* user) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_draw = draw;
    m_drawUser = user;
}

bool StreamPlayer::Repaint() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_quit || !m_lastPicture)
            return false;
        m_repaint = true;
    }
    m_renderWake.notify_all();
    return true;
}

int StreamPlayer::CopyPicture(unsigned char* buffer, unsigned int* length) const {
    if (!length)
        return 1;
    std::shared_ptr<const QueuedFrame> picture;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        picture = m_lastPicture;
    }
    if (!picture) {
        *length = 0;
        return 1;
    }
    const auto size = static_cast<unsigned int>(picture->picture.size());
    if (!buffer) {
        *length = size;
        return 0;
    }
    if (*length < size) {
        *length = size;
        return 1;
    }
    std::copy(picture->picture.begin(), picture->picture.end(), buffer);
    *length = size;
    return 0;
}
