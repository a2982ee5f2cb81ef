#include "stream_harness.h"

#include "gdi.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

NotifiedWindows::NotifiedWindows(int width, int height) {
    EXPECT_TRUE(m_video.Create(width, height));
    EXPECT_TRUE(m_notify.Create(m_video.Hwnd()));
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
    return SC_ConnectServer(player.handle, FixtureHost().c_str(), 1980, "kerbo", "kerbo") &&
           windows.WaitForStatus(SC_STATUS_CONNECTED, 5000);
}

bool OpenAndWait(NotifiedWindows& windows, SC_PLAYER player, const std::string& path) {
    const size_t before = windows.CountOf(SC_STATUS_MEDIA_READY);
    return SC_OpenMedia(player, path.c_str()) &&
           windows.WaitForStatus(SC_STATUS_MEDIA_READY, 5000, before + 1);
}

std::string FixtureHost() {
    const std::wstring host = SampleServerFixture::Get().Host();
    return std::string(host.begin(), host.end());
}

std::vector<std::string> MediaRequestsAfterOpening(size_t offset, const std::string& path) {
    std::vector<std::string> names;
    std::string peer;
    for (const LoggedRequest& request : SampleServerFixture::Get().RequestsSince(offset)) {
        if (request.version != "MEDIA/1" || request.headers.empty())
            continue;
        const std::string& from = request.headers[0].second;
        if (peer.empty()) {
            if (request.method == "OPEN" && request.target == path)
                peer = from;
        } else if (from == peer) {
            names.push_back(request.method + (request.target.empty() ? "" : " " + request.target));
        }
    }
    return names;
}
