#include "player_harness.h"

#include "test_fixture.h"

#include <gtest/gtest.h>

PlayerWindows::PlayerWindows() {
    EXPECT_TRUE(m_video.Create(352, 288));
    EXPECT_TRUE(m_owner.Create());
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
