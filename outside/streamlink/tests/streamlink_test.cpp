// StreamLink.dll against the sample server's media service: connecting,
// opening, playing with a draw function, pausing, seeking, the end of the
// media, closing, the original picture in both stream formats.
#include "big_endian.h"
#include "image.h"
#include "message_wait.h"
#include "sample_media.h"
#include "stream_harness.h"
#include "test_fixture.h"
#include "yuv420.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kSynopsis = SampleServerPath("summary/12/summary.mp4");

// The synopsis of task 12 as the server has it.
SampleVideo SynopsisOfTask12() {
    const auto bytes = ReadFileBytes(SampleServerFixture::Get().DataFile("summary/12/summary.mp4"));
    std::string error;
    auto video = ReadSampleVideo(bytes.value_or(""), error);
    EXPECT_TRUE(video) << error;
    return video.value_or(SampleVideo{});
}

uint32_t Coded(uint32_t rgb) {
    return YuvToRgb(RgbToYuv(rgb));
}

class StreamLinkTest : public ::testing::Test {
protected:
    NotifiedWindows windows{352, 288};
    ConnectedPlayer player;
    DrawRecorder recorder;

    void SetUp() override { ASSERT_TRUE(ConnectToFixture(windows, player)); }

    bool WaitForDraws(size_t count, DWORD timeoutMs = 5000) {
        return PumpMessagesUntil([&] { return recorder.Count() >= count; }, timeoutMs);
    }
    void PlayWithRecorder(const std::string& path) {
        ASSERT_TRUE(OpenAndWait(windows, player.handle, path));
        ASSERT_TRUE(SC_RigisterDrawFun(player.handle, &DrawRecorder::Draw, &recorder));
        ASSERT_TRUE(SC_Play(player.handle));
    }
};

TEST(StreamLinkConnect, RefusedConnectionFailsAtOnceAndPostsNothing) {
    NotifiedWindows windows(64, 48);
    ConnectedPlayer player;
    player.handle = SC_OpenPlayer(kNotifyMessage, windows.Notify());
    ASSERT_NE(nullptr, player.handle);
    EXPECT_EQ(SC_STATUS_CREATED, SC_GetStatus(player.handle));
    EXPECT_EQ(0, SC_ConnectServer(player.handle, "127.0.0.69", 1980, "kerbo", "kerbo"));
    EXPECT_EQ(SC_STATUS_CONNECTION_FAILED, SC_GetStatus(player.handle));
    EXPECT_EQ(0, SC_OpenMedia(player.handle, kSynopsis.c_str())) << "no connection to use";
    // No thread was started for the connection: anything posted is already
    // ahead of a message posted now.
    ASSERT_TRUE(PumpMessagesPostedSoFar());
    EXPECT_TRUE(windows.Notices().empty());
}

TEST(StreamLinkConnect, AWrongCredentialIsRefusedByTheServer) {
    NotifiedWindows windows(64, 48);
    ConnectedPlayer player;
    player.handle = SC_OpenPlayer(kNotifyMessage, windows.Notify());
    ASSERT_EQ(1, SC_ConnectServer(player.handle, FixtureHost().c_str(), 1980, "kerbo", "other"));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_LOGIN_REFUSED, 5000));
    EXPECT_EQ(0u, windows.CountOf(SC_STATUS_CONNECTED));
    EXPECT_EQ(reinterpret_cast<LPARAM>(player.handle), windows.Notices()[0].lParam);
}

TEST(StreamLinkConnect, HandlesThatAreNotPlayersAreRefused) {
    const auto made_up = reinterpret_cast<SC_PLAYER>(uintptr_t{12345});
    EXPECT_EQ(0, SC_GetStatus(made_up));
    EXPECT_EQ(0, SC_Play(made_up));
    EXPECT_EQ(0, SC_ClosePlayer(made_up));
    EXPECT_EQ(0xFFFFFFFFu, SC_GetCurrentFrameNo(made_up));
    unsigned int length = 0;
    EXPECT_NE(0, SC_GetOriginalImage(made_up, nullptr, &length));
    EXPECT_EQ(nullptr, SC_OpenPlayer(kNotifyMessage, nullptr));
}

TEST_F(StreamLinkTest, ConnectedIsPostedWithThePlayerHandle) {
    ASSERT_EQ(1u, windows.CountOf(SC_STATUS_CONNECTED));
    EXPECT_EQ(reinterpret_cast<LPARAM>(player.handle), windows.Notices().back().lParam);
    EXPECT_EQ(SC_STATUS_CONNECTED, SC_GetStatus(player.handle));
}

TEST_F(StreamLinkTest, AMissingFileIsReportedAsNotFound) {
    ASSERT_EQ(1, SC_OpenMedia(player.handle, "E:\\AstRP_1v2\\summary\\12\\none.mp4"));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_FILE_NOT_FOUND, 5000));
    EXPECT_EQ(0u, SC_GetTotalFrames(player.handle));
    EXPECT_EQ(0, SC_Play(player.handle));
}

TEST_F(StreamLinkTest, ASynopsisPlaysWithItsMetadataOnEveryFrame) {
    const SampleVideo synopsis = SynopsisOfTask12();
    ASSERT_TRUE(OpenAndWait(windows, player.handle, kSynopsis));
    EXPECT_EQ(static_cast<unsigned>(synopsis.frameCount), SC_GetTotalFrames(player.handle));
    EXPECT_EQ(static_cast<unsigned>(synopsis.frameCount) * 40, SC_GetTotalTime(player.handle));
    EXPECT_EQ(704, SC_GetVideoWidth(player.handle));
    EXPECT_EQ(576, SC_GetVideoHeight(player.handle));
    EXPECT_EQ(0xFFFFFFFFu, SC_GetCurrentFrameNo(player.handle)) << "nothing decoded yet";

    ASSERT_TRUE(SC_RigisterDrawFun(player.handle, &DrawRecorder::Draw, &recorder));
    ASSERT_TRUE(SC_Play(player.handle));
    ASSERT_TRUE(WaitForDraws(30));
    const auto calls = recorder.Calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        const DrawRecorder::Call& call = calls[i];
        EXPECT_EQ(static_cast<int>(i), call.info.frameNumber);
        EXPECT_EQ(player.handle, call.passThrough);
        EXPECT_EQ(&recorder, call.user);
        EXPECT_EQ(704, call.info.frameWidth);
        EXPECT_EQ(576, call.info.frameHeight);
        EXPECT_EQ(i * 40, call.info.timeMs);
        ASSERT_EQ(1, call.info.metadataPresent);
        BigEndianReader block(call.metadata);
        EXPECT_EQ(1u, block.U32());
        const uint32_t objects = block.U32();
        EXPECT_EQ(i, block.U32()) << "the block of this very frame";
        EXPECT_EQ(16u + 80u * objects, call.metadata.size());
    }
    // Task 12's first object is shown from synopsis frame 0.
    BigEndianReader first(calls[0].metadata);
    first.U32();
    EXPECT_GE(first.U32(), 1u);
    const uint32_t current = SC_GetCurrentFrameNo(player.handle);
    EXPECT_GE(current, 29u);
    EXPECT_EQ(current * 40, SC_GetCurrentTime(player.handle));
}

TEST_F(StreamLinkTest, PicturesAreDrawnInPicturePixelsAndStretchedOverTheWindow) {
    // The media is half the window's size in each direction.
    const std::string path = WriteSampleMedia("media/stretch.mp4", MovingBoxVideo(50, 176, 144));
    recorder.FillCorner(8, RGB(255, 0, 0));
    PlayWithRecorder(path);
    ASSERT_TRUE(WaitForDraws(5));
    ASSERT_TRUE(PumpMessagesUntil(
        [&] { return CaptureWindow(windows.Video()).At(2, 2) == 0xFF0000u; }, 5000))
        << "a drawn picture is shown";
    const PixelBuffer shown = CaptureWindow(windows.Video());
    ASSERT_EQ(352, shown.width);
    EXPECT_EQ(0xFF0000u, shown.At(2, 2));
    EXPECT_EQ(0xFF0000u, shown.At(14, 14)) << "8 picture pixels cover 16 window pixels";
    EXPECT_EQ(Coded(kMovingBoxBackground), shown.At(300, 250));
}

TEST_F(StreamLinkTest, PauseHoldsThePictureAndPlayGoesOnFromIt) {
    const std::string path = WriteSampleMedia("media/pause.mp4", MovingBoxVideo(250, 64, 48));
    const size_t since = SampleServerFixture::Get().LogSize();
    PlayWithRecorder(path);
    ASSERT_TRUE(WaitForDraws(5));
    ASSERT_TRUE(SC_Pause(player.handle));
    const size_t atPause = recorder.Count();
    EXPECT_EQ(SC_STATUS_PAUSED, SC_GetStatus(player.handle));
    const uint32_t held = SC_GetCurrentFrameNo(player.handle);
    // The pause has landed once the service logs it; by then the frame that
    // was being drawn when it came has been recorded, and nothing after it.
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            const auto names = MediaRequestsAfterOpening(since, path);
            return std::find(names.begin(), names.end(), "PAUSE") != names.end() &&
                   recorder.Calls().back().info.frameNumber >= static_cast<int>(held);
        },
        5000));
    EXPECT_EQ(static_cast<int>(held), recorder.Calls().back().info.frameNumber);
    EXPECT_LE(recorder.Count(), atPause + 1) << "at most the frame being drawn";
    EXPECT_EQ(held, SC_GetCurrentFrameNo(player.handle));

    const size_t drawn = recorder.Count();
    ASSERT_TRUE(SC_Play(player.handle));
    ASSERT_TRUE(WaitForDraws(drawn + 3));
    const auto calls = recorder.Calls();
    EXPECT_EQ(static_cast<int>(held) + 1, calls[drawn].info.frameNumber) << "on from the held one";
    for (size_t i = 1; i < calls.size(); ++i)
        EXPECT_EQ(calls[i - 1].info.frameNumber + 1, calls[i].info.frameNumber);
}

TEST_F(StreamLinkTest, SeekWhilePausedShowsThatFrame) {
    PlayWithRecorder(kSynopsis);
    ASSERT_TRUE(WaitForDraws(2));
    ASSERT_TRUE(SC_Pause(player.handle));
    ASSERT_TRUE(SC_SeekFrame(player.handle, 50));
    EXPECT_EQ(50u, SC_GetCurrentFrameNo(player.handle));
    EXPECT_EQ(2000u, SC_GetCurrentTime(player.handle));
    ASSERT_TRUE(
        PumpMessagesUntil([&] { return recorder.Calls().back().info.frameNumber == 50; }, 5000));
    // One still; playing then starts at the frame sought.
    const size_t drawn = recorder.Count();
    ASSERT_TRUE(SC_Play(player.handle));
    ASSERT_TRUE(WaitForDraws(drawn + 2));
    const auto calls = recorder.Calls();
    EXPECT_EQ(50, calls[drawn].info.frameNumber);
    EXPECT_EQ(51, calls[drawn + 1].info.frameNumber);
}

TEST_F(StreamLinkTest, TheEndIsToldAfterTheLastFrameAndPlayStartsOver) {
    const std::string path = WriteSampleMedia("media/ten.mp4", MovingBoxVideo(10, 64, 48));
    PlayWithRecorder(path);
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_END, 5000));
    ASSERT_EQ(10u, recorder.Count());
    EXPECT_EQ(9, recorder.Calls().back().info.frameNumber);
    EXPECT_EQ(0, recorder.Calls().back().info.metadataPresent) << "a source video has none";
    EXPECT_EQ(9u, SC_GetCurrentFrameNo(player.handle));
    EXPECT_EQ(SC_STATUS_MEDIA_END, SC_GetStatus(player.handle));

    ASSERT_TRUE(SC_Play(player.handle));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_END, 5000, 2));
    ASSERT_EQ(20u, recorder.Count());
    EXPECT_EQ(0, recorder.Calls()[10].info.frameNumber);
}

TEST_F(StreamLinkTest, CloseMediaCompletesOnceAndLeavesNothingOpen) {
    PlayWithRecorder(kSynopsis);
    ASSERT_TRUE(WaitForDraws(2));
    ASSERT_TRUE(SC_CloseMedia(player.handle));
    const size_t atClose = recorder.Count();
    EXPECT_EQ(0, SC_CloseMedia(player.handle)) << "a close under way is not repeated";
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_CLOSED, 5000));
    ASSERT_TRUE(PumpMessagesPostedSoFar());
    EXPECT_EQ(1u, windows.CountOf(SC_STATUS_MEDIA_CLOSED));
    EXPECT_EQ(0u, SC_GetTotalFrames(player.handle));
    EXPECT_EQ(0xFFFFFFFFu, SC_GetCurrentFrameNo(player.handle));
    EXPECT_EQ(0, SC_GetVideoWidth(player.handle));

    // With nothing open the close completes at once.
    ASSERT_TRUE(SC_CloseMedia(player.handle));
    EXPECT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_CLOSED, 1000, 2));
    // And the connection still serves the next media. Its reply comes after
    // anything the service sent for the first one.
    ASSERT_TRUE(OpenAndWait(windows, player.handle, kSynopsis));
    EXPECT_EQ(2u, windows.CountOf(SC_STATUS_MEDIA_CLOSED));
    EXPECT_LE(recorder.Count(), atClose + 1) << "at most the frame being drawn at the close";
}

TEST_F(StreamLinkTest, ADrawFunctionMayCloseItsOwnMediaButNotItsPlayer) {
    int closeResult = -1;
    recorder.SetExtra([&](const SC_FrameInfo& frame) {
        if (frame.frameNumber == 3) {
            closeResult = SC_ClosePlayer(player.handle);
            SC_CloseMedia(player.handle);
        }
    });
    PlayWithRecorder(kSynopsis);
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_MEDIA_CLOSED, 5000));
    EXPECT_EQ(0, closeResult);
    // The next open's reply comes after anything sent for the closed media.
    ASSERT_TRUE(OpenAndWait(windows, player.handle, kSynopsis));
    EXPECT_EQ(4u, recorder.Count()) << "frames 0 to 3, then nothing";
    EXPECT_EQ(1u, windows.CountOf(SC_STATUS_MEDIA_CLOSED));
}

TEST_F(StreamLinkTest, OriginalPictureOfAYuvStreamIsPlanar) {
    const SampleVideo video = MovingBoxVideo(50, 64, 48);
    PlayWithRecorder(WriteSampleMedia("media/yuv.mp4", video));
    ASSERT_TRUE(WaitForDraws(1));
    ASSERT_TRUE(SC_Pause(player.handle));
    unsigned int length = 0;
    ASSERT_EQ(0, SC_GetOriginalImage(player.handle, nullptr, &length));
    ASSERT_EQ(64u * 48 * 3 / 2, length);
    std::vector<unsigned char> picture(length);
    unsigned int small = length - 1;
    EXPECT_NE(0, SC_GetOriginalImage(player.handle, picture.data(), &small));
    EXPECT_EQ(length, small) << "the size needed";
    EXPECT_NE(0, SC_GetOriginalImage(player.handle, picture.data(), nullptr));
    ASSERT_EQ(0, SC_GetOriginalImage(player.handle, picture.data(), &length));
    // Luma: the object at the top, the background at the bottom right.
    const YuvColor object = RgbToYuv(kMovingBoxColor), background = RgbToYuv(kMovingBoxBackground);
    EXPECT_EQ(background.y, picture[64 * 47 + 63]);
    EXPECT_EQ(background.u, picture[64 * 48 + 32 * 23 + 31]);
    // The object moves 32 pixels right over frames 0 to 49; 5 pixels inside
    // its top-left corner lies its fill (the rim is 2 pixels wide).
    const uint32_t frame = SC_GetCurrentFrameNo(player.handle);
    const size_t objectLeft = frame * 32 / 49;
    EXPECT_EQ(object.y, picture[64 * 5 + objectLeft + 5]);
}

TEST_F(StreamLinkTest, OriginalPictureOfA32BitStreamIsBottomUp) {
    PlayWithRecorder(
        WriteSampleMedia("media/rgb.mp4", MovingBoxVideo(50, 64, 48, PictureFormat::kBgra32)));
    ASSERT_TRUE(WaitForDraws(1));
    ASSERT_TRUE(SC_Pause(player.handle));
    unsigned int length = 0;
    ASSERT_EQ(0, SC_GetOriginalImage(player.handle, nullptr, &length));
    ASSERT_EQ(64u * 48 * 4, length);
    std::vector<unsigned char> picture(length);
    ASSERT_EQ(0, SC_GetOriginalImage(player.handle, picture.data(), &length));
    // The first row in memory is the picture's bottom row: all background.
    EXPECT_EQ((std::vector<unsigned char>{0x80, 0x40, 0x20, 0xFF}),
              std::vector<unsigned char>(picture.begin(), picture.begin() + 4));
    // Row 5 from the top (row 42 in memory) crosses the object's fill,
    // which arrives exactly as drawn.
    const uint32_t frame = SC_GetCurrentFrameNo(player.handle);
    const size_t objectLeft = frame * 32 / 49;
    const size_t inside = ((47u - 5) * 64 + objectLeft + 5) * 4;
    EXPECT_EQ((std::vector<unsigned char>{0x40, 0xC0, 0xE0, 0xFF}),
              std::vector<unsigned char>(picture.begin() + inside, picture.begin() + inside + 4));
}

TEST_F(StreamLinkTest, AClosedPlayerPostsNothingMore) {
    PlayWithRecorder(kSynopsis);
    ASSERT_TRUE(WaitForDraws(2));
    const size_t notices = windows.Notices().size();
    ASSERT_EQ(1, SC_ClosePlayer(player.handle));
    const SC_PLAYER closed = player.handle;
    player.handle = nullptr;
    const size_t drawn = recorder.Count();
    // Its threads have ended: anything it posted is ahead of a message posted now.
    ASSERT_TRUE(PumpMessagesPostedSoFar());
    EXPECT_EQ(notices, windows.Notices().size());
    EXPECT_EQ(drawn, recorder.Count());
    EXPECT_EQ(0, SC_GetStatus(closed));
    EXPECT_EQ(0, SC_ClosePlayer(closed));
}

TEST_F(StreamLinkTest, MaintainImagePresentsTheLastPictureAgain) {
    EXPECT_EQ(0, SC_MaintainImage(player.handle)) << "no picture yet";
    recorder.FillCorner(4, RGB(0, 255, 0));
    PlayWithRecorder(WriteSampleMedia("media/repaint.mp4", MovingBoxVideo(50, 176, 144)));
    ASSERT_TRUE(WaitForDraws(1));
    ASSERT_TRUE(SC_Pause(player.handle));
    const auto paintOverAndRepaint = [&] {
        {
            WindowDC dc(windows.Video());
            GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
            const RECT all{0, 0, 352, 288};
            FillRect(dc.Get(), &all, white.Get());
        }
        EXPECT_EQ(0xFFFFFFu, CaptureWindow(windows.Video()).At(4, 4));
        EXPECT_EQ(1, SC_MaintainImage(player.handle));
        return PumpMessagesUntil(
            [&] { return CaptureWindow(windows.Video()).At(4, 4) == 0x00FF00u; }, 5000);
    };
    // A frame being drawn when the pause came may still be shown; the
    // rendering thread repaints after it, so after one round it is idle.
    ASSERT_TRUE(paintOverAndRepaint());
    const size_t drawn = recorder.Count();
    ASSERT_TRUE(paintOverAndRepaint()) << "the picture comes back";
    EXPECT_EQ(drawn, recorder.Count()) << "drawn as it was, without drawing again";
}

} // namespace
