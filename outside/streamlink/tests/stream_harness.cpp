#include "stream_harness.h"

#include "gdi.h"
#include "message_wait.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

class NotifiedWindows::NotifyWindow : public CustomWindow {
public:
    std::vector<Notice> notices;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != kNotifyMessage)
            return false;
        notices.push_back({static_cast<int>(wParam), lParam});
        result = 0;
        return true;
    }
};

NotifiedWindows::NotifiedWindows(int width, int height) : m_notify(new NotifyWindow) {
    EXPECT_TRUE(m_video.Create(width, height));
    EXPECT_TRUE(
        m_notify->Create(L"StreamLinkTestNotify", WS_CHILD, 0, RECT{0, 0, 1, 1}, m_video.Hwnd()));
}

NotifiedWindows::~NotifiedWindows() = default;

HWND NotifiedWindows::Notify() const {
    return m_notify->Hwnd();
}

std::vector<NotifiedWindows::Notice> NotifiedWindows::Notices() const {
    return m_notify->notices;
}

size_t NotifiedWindows::CountOf(int status) const {
    size_t count = 0;
    for (const Notice& notice : m_notify->notices)
        count += notice.status == status;
    return count;
}

bool NotifiedWindows::WaitForStatus(int status, DWORD timeoutMs, size_t count) const {
    return PumpMessagesUntil([&] { return CountOf(status) >= count; }, timeoutMs);
}

void DrawRecorder::Draw(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user) {
    auto* self = static_cast<DrawRecorder*>(user);
    std::function<void(const SC_FrameInfo&)> extra;
    {
        std::lock_guard<std::mutex> hold(self->m_lock);
        Call call{passThrough, user, *frame, {}};
        if (frame->metadataPresent && frame->metadata)
            call.metadata.assign(frame->metadata, frame->metadata + frame->metadataLength);
        self->m_calls.push_back(std::move(call));
        if (self->m_cornerSide > 0) {
            GdiBrush brush(CreateSolidBrush(self->m_cornerColor));
            const RECT corner{0, 0, self->m_cornerSide, self->m_cornerSide};
            FillRect(dc, &corner, brush.Get());
        }
        extra = self->m_extra;
    }
    if (extra)
        extra(*frame);
}

std::vector<DrawRecorder::Call> DrawRecorder::Calls() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

size_t DrawRecorder::Count() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls.size();
}

void DrawRecorder::FillCorner(int side, COLORREF color) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_cornerSide = side;
    m_cornerColor = color;
}

void DrawRecorder::SetExtra(std::function<void(const SC_FrameInfo&)> extra) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_extra = std::move(extra);
}

bool ConnectToFixture(NotifiedWindows& windows, ConnectedPlayer& player) {
    player.handle = SC_OpenPlayer(kNotifyMessage, windows.Notify());
    if (!player.handle)
        return false;
    const std::wstring server = SampleServerFixture::Get().Server();
    const std::string host(server.begin(), server.begin() + server.find(L':'));
    return SC_ConnectServer(player.handle, host.c_str(), 1980, "kerbo", "kerbo") &&
           windows.WaitForStatus(SC_STATUS_CONNECTED, 5000);
}

bool OpenAndWait(NotifiedWindows& windows, SC_PLAYER player, const std::string& path) {
    const size_t before = windows.CountOf(SC_STATUS_MEDIA_READY);
    return SC_OpenMedia(player, path.c_str()) &&
           windows.WaitForStatus(SC_STATUS_MEDIA_READY, 5000, before + 1);
}

SampleVideo SmallVideo(int frames, int width, int height, PictureFormat pictures) {
    SampleVideo video;
    video.width = width;
    video.height = height;
    video.fps = 25;
    video.frameCount = frames;
    video.background = 0x204080;
    video.pictures = pictures;
    SceneObject o;
    o.objectId = 1;
    o.tubeId = 1;
    o.firstFrame = 0;
    o.lastFrame = frames - 1;
    o.x0 = 0;
    o.x1 = width / 2;
    o.y0 = o.y1 = 0;
    o.w = width / 4;
    o.h = height / 4;
    o.color = 0xE0C040;
    video.objects.push_back(o);
    return video;
}
