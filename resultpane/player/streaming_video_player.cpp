#include "streaming_video_player.h"

#include "debug_output.h"
#include "snapshot_bitmap.h"
#include "snapshot_file.h"
#include "thread_codepage.h"

namespace {

// The media service's one credential, as user name and as password.
constexpr const char* kCredential = "kerbo";

const wchar_t* TextOrEmpty(const wchar_t* text) {
    return text ? text : L"";
}

// A getter's answer for an unusable player: 0.0 written, 0 returned.
int NoValue(double& value) {
    value = 0.0;
    return 0;
}

int Value(double& out, double value) {
    out = value;
    return 1;
}

} // namespace

const MessageEntry<CStreamingVideoPlayer> CStreamingVideoPlayer::kMessages[] = {
    {kLibraryNotifyMessage, &CStreamingVideoPlayer::OnLibraryNotify},
    {kOpenedMessage, &CStreamingVideoPlayer::OnOpened},
    {kFailedMessage, &CStreamingVideoPlayer::OnFailed},
    {WM_DESTROY, &CStreamingVideoPlayer::OnDestroy},
};

CStreamingVideoPlayer::CStreamingVideoPlayer()
    : m_drawCallbacks(std::make_shared<const CallbackMap>()) {}

CStreamingVideoPlayer::~CStreamingVideoPlayer() {
    Destroy(); // WM_DESTROY closes the library player while our handlers exist
    ClosePlayer();
}

bool CStreamingVideoPlayer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

// ---- opening ---------------------------------------------------------------

int CStreamingVideoPlayer::Open(HWND parent, const wchar_t* path, HWND owner, uint32_t startFrame,
                                uint32_t endFrame, const wchar_t* server) {
    DebugLine(L"\nFilePath = %ls,startFrame = %d,endFrame=%d,IP = %ls \n", TextOrEmpty(path),
              static_cast<int>(startFrame), static_cast<int>(endFrame), TextOrEmpty(server));
    if (!parent || !path)
        return 0;
    if (!CreateHiddenWindow(parent))
        return 0;
    m_pendingCommands.clear();
    // Whatever follows may already report a failure: it goes to the new owner.
    m_ownerWindow = owner;

    if (m_state == kPlayIdle) {
        m_pendingCommands.push_back(&m_playNewFile);
        if (!StartNewPlayer(TextOrEmpty(server))) {
            m_pendingCommands.clear();
            return 0;
        }
        m_playNewFile.Set(startFrame, endFrame, path, m_hWnd);
    } else if (path == m_filePath) {
        const bool resume = m_state == kPlayPaused || m_state == kPlayStopped;
        const SegmentBounds bounds{startFrame, endFrame};
        const SegmentBounds current = Segment();
        if (bounds.start == current.start && bounds.end == current.end) {
            if (resume)
                Play();
            return 1;
        }
        if (resume)
            Play();
        // Bounds and seek as one step for the frame hook.
        m_segment.Move(bounds, [&] { SC_SeekFrame(m_player, startFrame); });
    } else {
        m_state = kPlayIdle;
        m_pendingSeekFrame = 0;
        m_pendingCommands.push_back(&m_playOtherFile);
        m_playOtherFile.Set(startFrame, endFrame, path, m_hWnd);
        const int status = SC_GetStatus(m_player);
        if (status == SC_STATUS_FILE_NOT_FOUND || status == SC_STATUS_MEDIA_END ||
            status == SC_STATUS_MEDIA_CLOSED) {
            // Nothing open: the command's own status will not come.
            m_pendingCommands.clear();
            if (!SC_OpenMedia(m_player, WideToThreadAnsi(path).c_str()))
                ReportOpenFailure();
        } else {
            SC_CloseMedia(m_player);
        }
    }
    m_filePath = path;
    m_segment.Set(SegmentBounds{startFrame, endFrame});
    return 1;
}

void CStreamingVideoPlayer::ReportOpenFailure() {
    SendMessageW(m_hWnd, kFailedMessage, PlayNotifyFailed, 0);
}

bool CStreamingVideoPlayer::CreateHiddenWindow(HWND parent) {
    if (Exists())
        return true;
    if (!Create(L"CStreamingVideoPlayerWnd", WS_CHILD, 0, RECT{0, 0, 0, 0}, parent))
        return false;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
    return true;
}

bool CStreamingVideoPlayer::StartNewPlayer(const std::wstring& server) {
    ClosePlayer();
    const SC_PLAYER player = SC_OpenPlayer(kLibraryNotifyMessage, m_hWnd);
    if (!player)
        return false;
    if (!SC_ConnectServer(player, WideToThreadAnsi(server).c_str(), kMediaPort, kCredential,
                          kCredential)) {
        // Refused: the library player is of no further use.
        SC_ClosePlayer(player);
        return false;
    }
    m_player = player;
    return true;
}

void CStreamingVideoPlayer::ClosePlayer() {
    const SC_PLAYER player = m_player.exchange(nullptr);
    if (player)
        SC_ClosePlayer(player);
}

// ---- the library's notifications --------------------------------------------

LRESULT CStreamingVideoPlayer::OnLibraryNotify(WPARAM wParam, LPARAM player, bool&) {
    // Late messages of a library player closed since belong to nobody.
    if (!m_player || player != reinterpret_cast<LPARAM>(m_player.load()))
        return 0;
    const int status = static_cast<int>(wParam);
    int consumed = 0;
    for (CPlayCommand* command : std::vector<CPlayCommand*>(m_pendingCommands))
        consumed = command->OnStatus(status);
    if (consumed)
        return 0;
    switch (status) {
    case SC_STATUS_CONNECTION_FAILED:
    case SC_STATUS_LOGIN_REFUSED:
    case SC_STATUS_OPEN_FAILED:
    case SC_STATUS_STREAM_BROKEN:
        SendMessageW(m_hWnd, kFailedMessage, PlayNotifyFailed, 0);
        break;
    case SC_STATUS_FILE_NOT_FOUND:
        DebugLine(L"file not found");
        SendMessageW(m_hWnd, kFailedMessage, PlayNotifyFileMissing, 0);
        break;
    case SC_STATUS_MEDIA_READY:
        SC_Play(m_player);
        if (m_pendingSeekFrame != 0) {
            SC_SeekFrame(m_player, m_pendingSeekFrame);
            m_pendingSeekFrame = 0;
        } else if (Segment().IsSegment()) {
            SC_SeekFrame(m_player, Segment().start);
        }
        SendMessageW(m_hWnd, kOpenedMessage, 0, 0);
        break;
    case SC_STATUS_MEDIA_END:
    case SC_STATUS_MEDIA_CLOSED:
    case SC_STATUS_CLOSED_BY_SERVER:
        m_pendingSeekFrame = 0;
        PostMessageW(m_ownerWindow, kPlayNotifyMessage, PlayNotifyComplete, 0);
        break;
    default:
        break; // other statuses carry nothing for us
    }
    return 0;
}

LRESULT CStreamingVideoPlayer::OnOpened(WPARAM, LPARAM, bool&) {
    m_framesPerSecond =
        FrameRateOf(SC_GetTotalFrames(m_player), SC_GetTotalTime(m_player), m_framesPerSecond);
    PostMessageW(m_ownerWindow, kPlayNotifyMessage, PlayNotifyStarted, 0);
    m_state = kPlayPlaying;
    SC_RigisterDrawFun(m_player, &CStreamingVideoPlayer::FrameHook, this);
    m_pendingCommands.clear();
    return 0;
}

LRESULT CStreamingVideoPlayer::OnFailed(WPARAM code, LPARAM detail, bool&) {
    m_state = kPlayStopped;
    // A command waiting for the failed media would open it again on the next
    // status it waits for (a later close completes with one).
    m_pendingCommands.clear();
    PostMessageW(m_ownerWindow, kPlayNotifyMessage, code, detail);
    return 0;
}

LRESULT CStreamingVideoPlayer::OnDestroy(WPARAM, LPARAM, bool& handled) {
    ClosePlayer();
    m_state = kPlayIdle;
    handled = false; // the default handling runs too
    return 0;
}

// ---- every rendered frame (on the library's rendering thread) ----------------

void CStreamingVideoPlayer::FrameHook(void* passThrough, HDC dc, const SC_FrameInfo* frame,
                                      void* user) {
    try {
        static_cast<CStreamingVideoPlayer*>(user)->OnFrame(passThrough, dc, frame);
    } catch (...) {
        // Nothing may be thrown into the library.
    }
}

void CStreamingVideoPlayer::OnFrame(void* passThrough, HDC dc, const SC_FrameInfo* frame) {
    const auto pastEnd = m_segment.CheckPastEnd([&] { return SC_GetCurrentFrameNo(m_player); });
    if (pastEnd) {
        DebugLine(L"\ncurrFrame = %d,m_uEndFrame = %d, send WPARAM_PLAY_VIDEO_COMPLE\n",
                  static_cast<int>(pastEnd->current), static_cast<int>(pastEnd->end));
        Stop();
    }
    std::lock_guard<std::mutex> drawing(m_drawing);
    m_drawingThread = GetCurrentThreadId();
    const std::shared_ptr<const CallbackMap> callbacks = m_drawCallbacks.load();
    for (const auto& [callback, user] : *callbacks)
        callback(passThrough, dc, frame, user);
    m_drawingThread = 0;
}

// ---- operations ---------------------------------------------------------------

bool CStreamingVideoPlayer::Usable() const {
    return m_player && m_state != kPlayStopped;
}

int CStreamingVideoPlayer::Play() {
    if (!m_player || m_state == kPlayIdle)
        return 0;
    switch (m_state) {
    case kPlayPlaying:
        return 1;
    case kPlayPaused:
        m_state = kPlayPlaying;
        SC_Play(m_player);
        return 1;
    default:
        // Stopped: open again; playing resumes when the library is ready. A
        // refused open is told to the owner like any other failed open.
        if (!SC_OpenMedia(m_player, WideToThreadAnsi(m_filePath).c_str()))
            ReportOpenFailure();
        return 0;
    }
}

int CStreamingVideoPlayer::Pause() {
    if (m_state != kPlayPlaying)
        return 0;
    m_state = kPlayPaused;
    SC_Pause(m_player);
    return 1;
}

int CStreamingVideoPlayer::Stop() {
    if (!m_player)
        return 0;
    m_state = kPlayStopped;
    SC_CloseMedia(m_player);
    return 1;
}

int CStreamingVideoPlayer::GetTotalFrames(double& frames) {
    if (!Usable())
        return NoValue(frames);
    const SegmentBounds segment = Segment();
    return Value(frames, segment.IsSegment() ? segment.Length() : SC_GetTotalFrames(m_player));
}

int CStreamingVideoPlayer::GetCurrentFrame(double& frame) {
    if (!Usable())
        return NoValue(frame);
    const uint32_t current = SC_GetCurrentFrameNo(m_player);
    const SegmentBounds segment = Segment();
    if (segment.IsSegment()) {
        const auto inSegment = SegmentFrameOf(current, segment);
        return inSegment ? Value(frame, *inSegment) : NoValue(frame);
    }
    if (current > SC_GetTotalFrames(m_player))
        return NoValue(frame);
    return Value(frame, current);
}

int CStreamingVideoPlayer::GetTotalTime(double& seconds) {
    if (!Usable())
        return NoValue(seconds);
    double ms = SC_GetTotalTime(m_player);
    const SegmentBounds segment = Segment();
    if (segment.IsSegment()) {
        const uint32_t frames = SC_GetTotalFrames(m_player);
        if (frames == 0)
            return NoValue(seconds);
        ms = ms * segment.Length() / frames;
    }
    return Value(seconds, ms / 1000.0);
}

int CStreamingVideoPlayer::GetCurrentTime(double& seconds) {
    if (!Usable())
        return NoValue(seconds);
    const SegmentBounds segment = Segment();
    if (!segment.IsSegment())
        return Value(seconds, SC_GetCurrentTime(m_player) / 1000.0);
    const auto inSegment = SegmentTimeOf(SC_GetCurrentFrameNo(m_player), segment,
                                         SC_GetTotalFrames(m_player), SC_GetTotalTime(m_player));
    return inSegment ? Value(seconds, *inSegment) : NoValue(seconds);
}

int CStreamingVideoPlayer::SeekFrame(double frame) {
    if (!m_player)
        return 0;
    m_pendingSeekFrame = FrameSeekTarget(frame, Segment());
    SC_SeekFrame(m_player, m_pendingSeekFrame);
    return 1;
}

int CStreamingVideoPlayer::SeekTime(double seconds) {
    if (!m_player)
        return 0;
    const auto target =
        TimeSeekTarget(seconds, SC_GetTotalTime(m_player), SC_GetTotalFrames(m_player), Segment());
    if (!target)
        return 0;
    m_pendingSeekFrame = *target;
    SC_SeekFrame(m_player, *target);
    return 1;
}

void CStreamingVideoPlayer::GetVideoSize(int& width, int& height) {
    width = m_player ? SC_GetVideoWidth(m_player) : 0;
    height = m_player ? SC_GetVideoHeight(m_player) : 0;
}

void CStreamingVideoPlayer::AddDrawCallback(DrawCallback callback, void* user) {
    auto callbacks = std::make_shared<CallbackMap>(*m_drawCallbacks.load());
    if (callbacks->emplace(callback, user).second)
        m_drawCallbacks = std::move(callbacks);
}

void CStreamingVideoPlayer::RemoveDrawCallback(DrawCallback callback) {
    auto callbacks = std::make_shared<CallbackMap>(*m_drawCallbacks.load());
    if (callbacks->erase(callback) == 0)
        return;
    m_drawCallbacks = std::move(callbacks);
    // A frame being drawn may still call the callback with its user value:
    // wait for it, unless the callback is removing itself from that frame.
    if (m_drawingThread.load() != GetCurrentThreadId()) {
        std::lock_guard<std::mutex> wait(m_drawing);
    }
}

void CStreamingVideoPlayer::Refresh() {
    if (m_player)
        SC_MaintainImage(m_player);
}

int CStreamingVideoPlayer::IsOpen() {
    return Usable() ? 1 : 0;
}

int CStreamingVideoPlayer::Snapshot(const wchar_t* path) {
    if (!path || !m_player || (m_state != kPlayPlaying && m_state != kPlayPaused))
        return 0;
    unsigned int length = 0;
    if (SC_GetOriginalImage(m_player, nullptr, &length) != 0 || length == 0)
        return 0;
    std::vector<uint8_t> picture(length);
    if (SC_GetOriginalImage(m_player, picture.data(), &length) != 0)
        return 0;
    picture.resize(length);
    const std::vector<uint8_t> file =
        SnapshotBitmapFile(picture, SC_GetVideoWidth(m_player), SC_GetVideoHeight(m_player));
    return !file.empty() && WriteSnapshotFile(path, file) ? 1 : 0;
}
