// The player's failure paths: a failed open leaves no command behind, a
// refused reopen and an immediate failure reach the owner that asked, and a
// removed draw callback is never called again once removal has returned.
#include "message_wait.h"
#include "player_harness.h"
#include "test_fixture.h"
#include "video_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const std::wstring kSynopsis = L"E:\\AstRP_1v2\\summary\\12\\summary.mp4";
const std::wstring kMissing = L"E:\\AstRP_1v2\\summary\\12\\none.mp4";
// Longer than any path the streaming library sends: it refuses to open it.
const std::wstring kRefused = L"E:\\AstRP_1v2\\" + std::wstring(1100, L'x') + L".mp4";

class PlayerFaultTest : public ::testing::Test {
protected:
    PlayerWindows windows;
    CVideoPlayer player;

    int Open(const std::wstring& path, HWND owner = nullptr) {
        return player.Open(windows.Video(), path.c_str(), owner ? owner : windows.Owner(), 0, 0,
                           SampleServerFixture::Get().Host().c_str());
    }
};

TEST_F(PlayerFaultTest, AFailedOpenOfAnotherFileIsNotRepeatedByALaterStop) {
    ASSERT_EQ(1, Open(kSynopsis));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted));
    ASSERT_EQ(1, Open(kMissing));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyFileMissing));
    const size_t since = SampleServerFixture::Get().LogSize();
    // Nothing is open: the close completes at once, and the owner hears it.
    player.Stop();
    ASSERT_TRUE(windows.WaitFor(PlayNotifyComplete));
    EXPECT_EQ(1u, windows.CountOf(PlayNotifyFileMissing));
    for (const LoggedRequest& request : MediaRequestsSince(since))
        EXPECT_NE("OPEN", request.method) << request.target;
}

TEST_F(PlayerFaultTest, PlayAfterARefusedOpenTellsTheOwnerAgain) {
    ASSERT_EQ(1, Open(kRefused));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyFailed));
    ASSERT_EQ(kPlayStopped, player.GetState());
    EXPECT_EQ(0, player.Play());
    EXPECT_TRUE(windows.WaitFor(PlayNotifyFailed, 5000, 2));
}

TEST_F(PlayerFaultTest, AnImmediateFailureReachesTheNewOwner) {
    RecordingWindow second(kPlayNotifyMessage);
    ASSERT_TRUE(second.Create());
    ASSERT_EQ(1, Open(kMissing));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyFileMissing));
    // Nothing is open, so the other file is opened at once, and refused.
    ASSERT_EQ(1, Open(kRefused, second.Hwnd()));
    EXPECT_TRUE(second.WaitFor(PlayNotifyFailed, 5000));
    EXPECT_EQ(0u, windows.CountOf(PlayNotifyFailed));
}

// A draw callback that holds the rendering thread until it is let go.
struct SlowDraw {
    static void Draw(void*, HDC, const SC_FrameInfo*, void* user) {
        auto* self = static_cast<SlowDraw*>(user);
        self->running = true;
        self->entered = true;
        for (int i = 0; i < 500 && !self->release; ++i)
            Sleep(1);
        self->running = false;
    }
    std::atomic<bool> entered{false}, running{false}, release{false};
};

TEST_F(PlayerFaultTest, RemovingADrawCallbackWaitsForTheFrameBeingDrawn) {
    SlowDraw slow;
    ASSERT_EQ(1, Open(kSynopsis));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted));
    player.AddDrawCallback(&SlowDraw::Draw, &slow);
    ASSERT_TRUE(PumpMessagesUntil([&] { return slow.entered.load(); }, 5000));
    // Let the frame go a little after removal has begun: removal must not
    // return while the callback still runs.
    std::thread releaser([&] {
        Sleep(100);
        slow.release = true;
    });
    player.RemoveDrawCallback(&SlowDraw::Draw);
    const bool stillRunning = slow.running;
    releaser.join();
    EXPECT_FALSE(stillRunning);
}

} // namespace
