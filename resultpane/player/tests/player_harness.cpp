#include "player_harness.h"

#include "message_wait.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

class PlayerWindows::OwnerWindow : public CustomWindow {
public:
    std::vector<Notice> notices;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != kPlayNotifyMessage)
            return false;
        notices.push_back({wParam, lParam});
        result = 0;
        return true;
    }
};

PlayerWindows::PlayerWindows() : m_owner(new OwnerWindow) {
    EXPECT_TRUE(m_video.Create(352, 288));
    EXPECT_TRUE(m_owner->Create(L"PlayerTestOwner", WS_OVERLAPPED, 0, RECT{0, 0, 10, 10}, nullptr));
}

PlayerWindows::~PlayerWindows() = default;

HWND PlayerWindows::Owner() const {
    return m_owner->Hwnd();
}

std::vector<PlayerWindows::Notice> PlayerWindows::Notices() const {
    return m_owner->notices;
}

size_t PlayerWindows::CountOf(WPARAM code) const {
    size_t count = 0;
    for (const Notice& notice : m_owner->notices)
        count += notice.code == code;
    return count;
}

bool PlayerWindows::WaitFor(WPARAM code, DWORD timeoutMs, size_t count) const {
    return PumpMessagesUntil([&] { return CountOf(code) >= count; }, timeoutMs);
}

void FrameCounter::Draw(void*, HDC, const SC_FrameInfo* frame, void* user) {
    auto* self = static_cast<FrameCounter*>(user);
    std::lock_guard<std::mutex> hold(self->lock);
    self->frames.push_back(frame->frameNumber);
    self->users.push_back(user);
}

void CountingDraw2(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user) {
    FrameCounter::Draw(passThrough, dc, frame, user);
}

std::vector<LoggedRequest> MediaRequestsSince(size_t offset) {
    std::vector<LoggedRequest> media;
    for (LoggedRequest& request : SampleServerFixture::Get().RequestsSince(offset))
        if (request.version == "MEDIA/1")
            media.push_back(std::move(request));
    return media;
}

std::wstring FixtureHost() {
    const std::wstring& server = SampleServerFixture::Get().Server();
    return server.substr(0, server.find(L':'));
}
