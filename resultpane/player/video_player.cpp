#include "video_player.h"

#include "streaming_video_player.h"

namespace {

// A getter's neutral answer: 0.0 written, 0 returned.
int Neutral(double& value) {
    value = 0.0;
    return 0;
}

} // namespace

CVideoPlayer::CVideoPlayer() = default;
CVideoPlayer::~CVideoPlayer() = default;

int CVideoPlayer::Open(HWND parent, const wchar_t* path, HWND owner, uint32_t startFrame,
                       uint32_t endFrame, const wchar_t* server) {
    if (!m_inner)
        m_inner = std::make_unique<CStreamingVideoPlayer>();
    return m_inner->Open(parent, path, owner, startFrame, endFrame, server);
}

int CVideoPlayer::Play() {
    return m_inner ? m_inner->Play() : 0;
}
int CVideoPlayer::Pause() {
    return m_inner ? m_inner->Pause() : 0;
}
int CVideoPlayer::Stop() {
    return m_inner ? m_inner->Stop() : 0;
}
int CVideoPlayer::GetState() {
    return m_inner ? m_inner->GetState() : kNoPlayer;
}
int CVideoPlayer::Extension6(int value) {
    return m_inner ? m_inner->Extension6(value) : 0;
}

int CVideoPlayer::GetTotalTime(double& seconds) {
    return m_inner ? m_inner->GetTotalTime(seconds) : Neutral(seconds);
}

int CVideoPlayer::GetCurrentTime(double& seconds) {
    return m_inner ? m_inner->GetCurrentTime(seconds) : Neutral(seconds);
}

int CVideoPlayer::SeekTime(double seconds) {
    return m_inner ? m_inner->SeekTime(seconds) : 0;
}

int CVideoPlayer::GetTotalFrames(double& frames) {
    return m_inner ? m_inner->GetTotalFrames(frames) : Neutral(frames);
}

int CVideoPlayer::GetCurrentFrame(double& frame) {
    return m_inner ? m_inner->GetCurrentFrame(frame) : Neutral(frame);
}

int CVideoPlayer::SeekFrame(double frame) {
    return m_inner ? m_inner->SeekFrame(frame) : 0;
}
void* CVideoPlayer::Extension13() {
    return m_inner ? m_inner->Extension13() : nullptr;
}
void* CVideoPlayer::Extension14() {
    return m_inner ? m_inner->Extension14() : nullptr;
}
int CVideoPlayer::Extension15(int value) {
    return m_inner ? m_inner->Extension15(value) : 0;
}
double CVideoPlayer::Extension16() {
    return m_inner ? m_inner->Extension16() : 0.0;
}
double CVideoPlayer::GetFrameRate() {
    return m_inner ? m_inner->GetFrameRate() : 0.0;
}

void CVideoPlayer::GetVideoSize(int& width, int& height) {
    if (m_inner) {
        m_inner->GetVideoSize(width, height);
        return;
    }
    width = 0;
    height = 0;
}

void CVideoPlayer::Extension19(int a, int b, int c, int d) {
    if (m_inner)
        m_inner->Extension19(a, b, c, d);
}

void CVideoPlayer::Extension20(int value) {
    if (m_inner)
        m_inner->Extension20(value);
}

void CVideoPlayer::Extension21(int value) {
    if (m_inner)
        m_inner->Extension21(value);
}

void CVideoPlayer::AddDrawCallback(DrawCallback callback, void* user) {
    if (m_inner)
        m_inner->AddDrawCallback(callback, user);
}

void CVideoPlayer::RemoveDrawCallback(DrawCallback callback) {
    if (m_inner)
        m_inner->RemoveDrawCallback(callback);
}

void CVideoPlayer::Refresh() {
    if (m_inner)
        m_inner->Refresh();
}

int CVideoPlayer::IsOpen() {
    return m_inner ? m_inner->IsOpen() : 0;
}
int CVideoPlayer::Snapshot(const wchar_t* path) {
    return m_inner ? m_inner->Snapshot(path) : 0;
}
