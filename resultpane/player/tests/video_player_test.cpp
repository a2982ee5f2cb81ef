// The player against StreamLink.dll and the sample server's media service:
// opening, playing, pausing, stopping and reopening; what the same file does
// while paused; segments and their end; failures; the getters; snapshots; and
// the draw callbacks.
#include "debug_output.h"
#include "image.h"
#include "message_wait.h"
#include "player_harness.h"
#include "play_positions.h"
#include "sample_media.h"
#include "test_fixture.h"
#include "video_player.h"
#include "yuv420.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::wstring kSynopsis = L"E:\\AstRP_1v2\\summary\\12\\summary.mp4";
const std::wstring kSource = L"E:\\AstRP_1v2\\video\\12\\cam01.mp4";

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

uint32_t Coded(uint32_t rgb) {
    return YuvToRgb(RgbToYuv(rgb));
}

// Collects the diagnostic lines written while it lives.
class DebugLines {
public:
    DebugLines() {
        SetDebugLineSink([this](const std::wstring& line) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_lines.push_back(line);
        });
    }
    ~DebugLines() { SetDebugLineSink(nullptr); }
    bool Contains(const std::wstring& line) const {
        std::lock_guard<std::mutex> hold(m_lock);
        return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
    }

private:
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_lines;
};

class VideoPlayerTest : public ::testing::Test {
protected:
    PlayerWindows windows;
    CVideoPlayer player;
    FrameCounter counter;

    int Open(const std::wstring& path, uint32_t start = 0, uint32_t end = 0) {
        return player.Open(windows.Video(), path.c_str(), windows.Owner(), start, end,
                           SampleServerFixture::Get().Host().c_str());
    }
    void OpenAndStart(const std::wstring& path, uint32_t start = 0, uint32_t end = 0) {
        const size_t started = windows.CountOf(PlayNotifyStarted);
        const size_t since = SampleServerFixture::Get().LogSize();
        ASSERT_EQ(1, Open(path, start, end));
        ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted, 5000, started + 1));
        ASSERT_EQ(kPlayPlaying, player.GetState());
        // The start's requests travel on the library's own thread: wait for
        // the last of them, so that what a test reads from the log later
        // begins after them.
        ASSERT_TRUE(
            WaitForMediaRequest(since, start == end ? "PLAY" : "SEEK " + std::to_string(start)));
    }
    double CurrentFrame() {
        double frame = -1;
        return player.GetCurrentFrame(frame) ? frame : -1;
    }
    // Waits until the draw callbacks have seen count frames more.
    bool WaitForFrames(size_t count) {
        const size_t until = counter.Count() + count;
        return PumpMessagesUntil([&] { return counter.Count() >= until; }, 5000);
    }
    std::vector<std::string> MediaRequestNames(size_t since) {
        std::vector<std::string> names;
        for (const LoggedRequest& request : MediaRequestsSince(since))
            names.push_back(request.method + (request.target.empty() ? "" : " " + request.target));
        return names;
    }
    // Waits until the media service has logged name (say "PAUSE") since the
    // log had since bytes: the command has landed.
    bool WaitForMediaRequest(size_t since, const std::string& name) {
        return PumpMessagesUntil(
            [&] {
                const auto names = MediaRequestNames(since);
                return std::find(names.begin(), names.end(), name) != names.end();
            },
            5000);
    }
    int LastFrameDrawn() {
        std::lock_guard<std::mutex> hold(counter.lock);
        return counter.frames.empty() ? -1 : counter.frames.back();
    }
};

TEST(VideoPlayerNeutral, ANeverOpenedPlayerAnswersNeutrally) {
    CVideoPlayer player;
    EXPECT_EQ(kNoPlayer, player.GetState());
    double value = 7;
    EXPECT_EQ(0, player.GetTotalTime(value));
    EXPECT_EQ(0.0, value);
    value = 7;
    EXPECT_EQ(0, player.GetCurrentFrame(value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(0, player.Play());
    EXPECT_EQ(0, player.Stop());
    EXPECT_EQ(0, player.SeekFrame(10));
    EXPECT_EQ(0, player.Extension15(1));
    EXPECT_EQ(0.0, player.Extension16());
    EXPECT_EQ(0.0, player.GetFrameRate());
    EXPECT_EQ(nullptr, player.Extension13());
    EXPECT_EQ(0, player.IsOpen());
    EXPECT_EQ(0, player.Snapshot(L"C:\\x.bmp"));
    int width = 5, height = 5;
    player.GetVideoSize(width, height);
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, height);
}

TEST(VideoPlayerNeutral, TheInterfaceDefaultsAreFixed) {
    struct Minimal : CVideoPlayInterface {
        int Open(HWND, const wchar_t*, HWND, uint32_t, uint32_t, const wchar_t*) override {
            return 0;
        }
        int Play() override { return 0; }
        int Pause() override { return 0; }
        int Stop() override { return 0; }
        int GetState() override { return 0; }
        int Extension6(int) override { return 0; }
        int GetTotalTime(double&) override { return 0; }
        int GetCurrentTime(double&) override { return 0; }
        int SeekTime(double) override { return 0; }
        int GetTotalFrames(double&) override { return 0; }
        int GetCurrentFrame(double&) override { return 0; }
        int SeekFrame(double) override { return 0; }
    } minimal;
    CVideoPlayInterface& base = minimal;
    EXPECT_EQ(nullptr, base.Extension13());
    EXPECT_EQ(nullptr, base.Extension14());
    EXPECT_EQ(-1, base.Extension15(3));
    EXPECT_EQ(1.0, base.Extension16());
    EXPECT_EQ(0.0, base.GetFrameRate());
    EXPECT_EQ(0, base.IsOpen());
    EXPECT_EQ(0, base.Snapshot(L"x"));
}

TEST_F(VideoPlayerTest, ARefusedConnectionRefusesTheOpenAndPostsNothing) {
    EXPECT_EQ(
        0, player.Open(windows.Video(), kSynopsis.c_str(), windows.Owner(), 0, 0, L"127.0.0.69"));
    // The refusal is the call's own result: anything posted is already ahead
    // of a message posted now.
    ASSERT_TRUE(PumpMessagesPostedSoFar());
    EXPECT_TRUE(windows.Notices().empty());
    EXPECT_EQ(kPlayIdle, player.GetState());
    EXPECT_EQ(0, player.Open(nullptr, kSynopsis.c_str(), windows.Owner(), 0, 0, L"x"));
    EXPECT_EQ(0, player.Open(windows.Video(), nullptr, windows.Owner(), 0, 0, L"x"));
}

TEST_F(VideoPlayerTest, AMissingFileStopsThePlayerAndTellsTheOwner) {
    DebugLines lines;
    ASSERT_EQ(1, Open(L"E:\\AstRP_1v2\\summary\\12\\none.mp4"));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyFileMissing));
    EXPECT_EQ(0, windows.Notices().back().lParam);
    EXPECT_EQ(kPlayStopped, player.GetState());
    EXPECT_EQ(0, player.IsOpen());
    EXPECT_TRUE(lines.Contains(L"file not found"));
}

TEST_F(VideoPlayerTest, AWholeFilePlaysWithItsTotalsAndRate) {
    DebugLines lines;
    OpenAndStart(kSynopsis);
    EXPECT_TRUE(lines.Contains(L"\nFilePath = E:\\AstRP_1v2\\summary\\12\\summary.mp4,"
                               L"startFrame = 0,endFrame=0,IP = " +
                               SampleServerFixture::Get().Host() + L" \n"));
    std::string error;
    const auto video = ReadSampleVideo(
        ReadFileBytes(SampleServerFixture::Get().DataFile("summary/12/summary.mp4")).value_or(""),
        error);
    ASSERT_TRUE(video) << error;
    double total = 0;
    ASSERT_EQ(1, player.GetTotalFrames(total));
    EXPECT_EQ(video->frameCount, total);
    ASSERT_EQ(1, player.GetTotalTime(total));
    EXPECT_DOUBLE_EQ(video->frameCount / 25.0, total);
    EXPECT_DOUBLE_EQ(25.0, player.GetFrameRate());
    int width = 0, height = 0;
    player.GetVideoSize(width, height);
    EXPECT_EQ(704, width);
    EXPECT_EQ(576, height);
    EXPECT_EQ(1, player.IsOpen());

    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(3));
    // Paused, the position holds still: the frame last drawn and its time.
    ASSERT_EQ(1, player.Pause());
    const double frame = CurrentFrame();
    ASSERT_TRUE(PumpMessagesUntil([&] { return LastFrameDrawn() >= frame; }, 5000));
    EXPECT_EQ(frame, static_cast<double>(LastFrameDrawn()));
    double seconds = -1;
    ASSERT_EQ(1, player.GetCurrentTime(seconds));
    EXPECT_DOUBLE_EQ(frame * 0.04, seconds) << "25 frames a second";
}

TEST_F(VideoPlayerTest, PausePlayStopAndPlayAgainReopens) {
    OpenAndStart(kSynopsis);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(2));
    const size_t beforePause = SampleServerFixture::Get().LogSize();
    ASSERT_EQ(1, player.Pause());
    const size_t atPause = counter.Count();
    const double held = CurrentFrame();
    EXPECT_EQ(kPlayPaused, player.GetState());
    EXPECT_EQ(0, player.Pause()) << "only a playing player pauses";
    // Once the service has the pause, the frame being drawn when it came has
    // been drawn, and nothing after it.
    ASSERT_TRUE(WaitForMediaRequest(beforePause, "PAUSE"));
    ASSERT_TRUE(PumpMessagesUntil([&] { return LastFrameDrawn() >= held; }, 5000));
    EXPECT_EQ(held, static_cast<double>(LastFrameDrawn()));
    EXPECT_LE(counter.Count(), atPause + 1);
    EXPECT_EQ(held, CurrentFrame());
    const size_t drawn = counter.Count();
    ASSERT_EQ(1, player.Play());
    EXPECT_EQ(kPlayPlaying, player.GetState());
    ASSERT_TRUE(WaitForFrames(2));
    {
        std::lock_guard<std::mutex> hold(counter.lock);
        EXPECT_EQ(held + 1, static_cast<double>(counter.frames[drawn])) << "on from the held frame";
    }

    ASSERT_EQ(1, player.Stop());
    EXPECT_EQ(kPlayStopped, player.GetState());
    ASSERT_TRUE(windows.WaitFor(PlayNotifyComplete));
    double value = 7;
    EXPECT_EQ(0, player.GetTotalFrames(value)) << "a stopped player has no totals";
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(0, player.IsOpen());

    EXPECT_EQ(0, player.Play()) << "reopening; playing resumes when the media is ready";
    ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted, 5000, 2));
    EXPECT_EQ(kPlayPlaying, player.GetState());
    ASSERT_TRUE(WaitForFrames(2));
}

TEST_F(VideoPlayerTest, TheSameFileAndSegmentWhilePausedResumesWithoutSeeking) {
    OpenAndStart(kSource, 100, 400);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(2));
    const size_t beforePause = SampleServerFixture::Get().LogSize();
    ASSERT_EQ(1, player.Pause());
    // The pause reaches the service on the library's own thread: wait for it.
    ASSERT_TRUE(WaitForMediaRequest(beforePause, "PAUSE"));
    const size_t since = SampleServerFixture::Get().LogSize();
    ASSERT_EQ(1, Open(kSource, 100, 400));
    EXPECT_EQ(kPlayPlaying, player.GetState());
    ASSERT_TRUE(WaitForFrames(2));
    EXPECT_EQ(std::vector<std::string>{"PLAY"}, MediaRequestNames(since));
}

TEST_F(VideoPlayerTest, AnotherSegmentOfTheSameFileSeeksToItsStart) {
    OpenAndStart(kSource, 100, 400);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(2));
    const size_t since = SampleServerFixture::Get().LogSize();
    ASSERT_EQ(1, Open(kSource, 1000, 1300));
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            std::lock_guard<std::mutex> hold(counter.lock);
            return counter.frames.back() >= 1000;
        },
        5000));
    EXPECT_EQ(std::vector<std::string>{"SEEK 1000"}, MediaRequestNames(since));
    const double frame = CurrentFrame();
    EXPECT_GE(frame, 0);
    EXPECT_LT(frame, 50) << "counted from the new segment's start";
    double total = 0;
    ASSERT_EQ(1, player.GetTotalFrames(total));
    EXPECT_EQ(300, total);
}

TEST_F(VideoPlayerTest, TheEndOfASegmentStopsAndTellsTheOwnerThenPlayReopens) {
    DebugLines lines;
    OpenAndStart(kSource, 10, 20);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(windows.WaitFor(PlayNotifyComplete));
    EXPECT_EQ(kPlayStopped, player.GetState());
    EXPECT_TRUE(
        lines.Contains(L"\ncurrFrame = 21,m_uEndFrame = 20, send WPARAM_PLAY_VIDEO_COMPLE\n"));
    {
        std::lock_guard<std::mutex> hold(counter.lock);
        ASSERT_FALSE(counter.frames.empty());
        EXPECT_EQ(21, counter.frames.back()) << "the frame that ended it is the last one drawn";
        EXPECT_GE(counter.frames.front(), 10);
    }
    double frame = 7;
    EXPECT_EQ(0, player.GetCurrentFrame(frame));
    EXPECT_EQ(0.0, frame);

    EXPECT_EQ(0, player.Play());
    ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted, 5000, 2));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyComplete, 5000, 2)) << "the segment plays again";
}

TEST_F(VideoPlayerTest, SegmentGettersBeforeAndInsideTheSegment) {
    OpenAndStart(kSource, 100, 150);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(2));
    ASSERT_EQ(1, player.Pause());
    double value = 0;
    ASSERT_EQ(1, player.GetTotalFrames(value));
    EXPECT_EQ(50, value);
    ASSERT_EQ(1, player.GetTotalTime(value));
    EXPECT_DOUBLE_EQ(2.0, value) << "50 frames at 25 a second";
    const double inside = CurrentFrame();
    EXPECT_GE(inside, 0);
    EXPECT_LE(inside, 50);
    ASSERT_EQ(1, player.GetCurrentTime(value));
    EXPECT_DOUBLE_EQ(inside / 25.0, value);

    // 50 frames before the segment's start: shown while paused.
    ASSERT_EQ(1, player.SeekFrame(-50));
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            std::lock_guard<std::mutex> hold(counter.lock);
            return counter.frames.back() == 50;
        },
        5000));
    ASSERT_EQ(1, player.GetCurrentFrame(value));
    EXPECT_EQ(0.0, value) << "before the segment";
    value = 7;
    EXPECT_EQ(0, player.GetCurrentTime(value)) << "no time outside the segment";
    EXPECT_EQ(0.0, value);

    // Past its end, even paused, the next rendered frame ends the segment.
    ASSERT_EQ(1, player.SeekFrame(60));
    ASSERT_TRUE(windows.WaitFor(PlayNotifyComplete));
    EXPECT_EQ(kPlayStopped, player.GetState());
}

TEST_F(VideoPlayerTest, SeekTimeOnMediaShorterThanASecondDoesNothing) {
    const std::string path = WriteSampleMedia("media/short.mp4", MovingBoxVideo(10, 64, 48));
    ASSERT_FALSE(path.empty());
    OpenAndStart(Wide(path));
    const size_t since = SampleServerFixture::Get().LogSize();
    EXPECT_EQ(0, player.SeekTime(0.2));
    // Requests reach the service in order: once a pause sent afterwards is
    // there, a seek would be there too.
    ASSERT_EQ(1, player.Pause());
    ASSERT_TRUE(WaitForMediaRequest(since, "PAUSE"));
    for (const std::string& name : MediaRequestNames(since))
        EXPECT_NE(0u, name.rfind("SEEK", 0)) << name;
}

TEST_F(VideoPlayerTest, SeekTimeGoesToTheShareOfTheMediasWholeSeconds) {
    const std::string path = WriteSampleMedia("media/sixty.mp4", MovingBoxVideo(60, 64, 48));
    OpenAndStart(Wide(path));
    ASSERT_EQ(1, player.Pause());
    const size_t since = SampleServerFixture::Get().LogSize();
    // 60 frames last 2.4 s: 2 whole seconds; 1 s of them is frame 30.
    ASSERT_EQ(1, player.SeekTime(1.0));
    EXPECT_EQ(30, CurrentFrame());
    // The pause travels to the service on the library's own thread and may
    // still be on its way: look at the seeks alone.
    const auto seeks = [&] {
        std::vector<std::string> found;
        for (const std::string& name : MediaRequestNames(since))
            if (name.rfind("SEEK", 0) == 0)
                found.push_back(name);
        return found;
    };
    ASSERT_TRUE(PumpMessagesUntil([&] { return !seeks().empty(); }, 5000));
    EXPECT_EQ(std::vector<std::string>{"SEEK 30"}, seeks());
}

TEST_F(VideoPlayerTest, AnotherFileReplacesTheMediaWithoutCompletingTheFirst) {
    OpenAndStart(kSynopsis);
    const size_t since = SampleServerFixture::Get().LogSize();
    const std::string path = WriteSampleMedia("media/other.mp4", MovingBoxVideo(100, 96, 64));
    ASSERT_EQ(1, Open(Wide(path)));
    EXPECT_EQ(kPlayIdle, player.GetState());
    ASSERT_TRUE(windows.WaitFor(PlayNotifyStarted, 5000, 2));
    EXPECT_EQ(0u, windows.CountOf(PlayNotifyComplete)) << "the close was the command's";
    int width = 0, height = 0;
    player.GetVideoSize(width, height);
    EXPECT_EQ(96, width);
    const auto names = MediaRequestNames(since);
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ("CLOSE", names[0]);
    EXPECT_EQ("OPEN " + path, names[1]);
}

TEST_F(VideoPlayerTest, ADrawCallbackAddedTwiceKeepsOneEntryAndItsFirstValue) {
    FrameCounter second, other;
    player.AddDrawCallback(&FrameCounter::Draw, &counter); // no player yet: nothing
    OpenAndStart(kSynopsis);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    player.AddDrawCallback(&FrameCounter::Draw, &second);
    player.AddDrawCallback(&CountingDraw2, &other);
    ASSERT_TRUE(WaitForFrames(5));
    EXPECT_EQ(0u, second.Count());
    {
        std::lock_guard<std::mutex> hold(counter.lock);
        for (void* user : counter.users)
            EXPECT_EQ(&counter, user);
        for (size_t i = 1; i < counter.frames.size(); ++i)
            EXPECT_EQ(counter.frames[i - 1] + 1, counter.frames[i]) << "once a frame";
    }
    EXPECT_GE(other.Count() + 1, counter.Count()) << "every entry is called";

    player.RemoveDrawCallback(&FrameCounter::Draw);
    const size_t removed = counter.Count();
    // Frames go on for the other entry; the removed one sees at most the frame
    // being drawn when it went.
    const size_t stillCalled = other.Count();
    ASSERT_TRUE(PumpMessagesUntil([&] { return other.Count() >= stillCalled + 3; }, 5000));
    EXPECT_LE(counter.Count(), removed + 1);
}

class SnapshotTest : public VideoPlayerTest {
protected:
    // Plays the media, pauses on a decoded frame and snapshots it.
    std::wstring SnapshotOf(const SampleVideo& video, const std::string& name) {
        const std::string path = WriteSampleMedia("media/" + name + ".mp4", video);
        OpenAndStart(Wide(path));
        player.AddDrawCallback(&FrameCounter::Draw, &counter);
        EXPECT_TRUE(WaitForFrames(1));
        EXPECT_EQ(1, player.Pause());
        // The name's extension does not matter: the file is a bitmap.
        const std::wstring file = SampleServerFixture::Get().MakeScratchFolder("snapshots") +
                                  L"\\" + Wide(name) + (name == "yuv" ? L".jpg" : L".bmp");
        EXPECT_EQ(1, player.Snapshot(file.c_str()));
        return file;
    }
    uint32_t U32At(const std::string& bytes, size_t at) {
        return static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8) |
               (static_cast<uint8_t>(bytes[at + 2]) << 16) |
               (uint32_t{static_cast<uint8_t>(bytes[at + 3])} << 24);
    }
    // Left edge of the object in the paused frame: it moves width/2 over the video.
    int ObjectLeft(int width, int frames) {
        return static_cast<int>(CurrentFrame()) * (width / 2) / (frames - 1);
    }
};

TEST_F(SnapshotTest, AYuvStreamIsWrittenAsATwentyFourBitBitmap) {
    const std::wstring file = SnapshotOf(MovingBoxVideo(50, 64, 48), "yuv");
    const auto bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(54u + 64 * 48 * 3, bytes->size());
    EXPECT_EQ("BM", bytes->substr(0, 2));
    EXPECT_EQ(bytes->size(), U32At(*bytes, 2));
    EXPECT_EQ(54u, U32At(*bytes, 10));
    EXPECT_EQ(64u, U32At(*bytes, 18));
    EXPECT_EQ(48u, U32At(*bytes, 22));
    EXPECT_EQ(24u, U32At(*bytes, 28) & 0xFFFF);
    Image image;
    ASSERT_TRUE(image.Load(file)) << "a bitmap any reader takes";
    EXPECT_EQ(Coded(kMovingBoxBackground), image.PixelAt(63, 47) & 0xFFFFFF);
    EXPECT_EQ(Coded(kMovingBoxColor), image.PixelAt(ObjectLeft(64, 50) + 5, 5) & 0xFFFFFF);
}

TEST_F(SnapshotTest, AThirtyTwoBitStreamIsWrittenAsItCame) {
    const std::wstring file = SnapshotOf(MovingBoxVideo(50, 64, 48, PictureFormat::kBgra32), "rgb");
    const auto bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(54u + 64 * 48 * 4, bytes->size());
    EXPECT_EQ(32u, U32At(*bytes, 28) & 0xFFFF);
    EXPECT_EQ(64u * 48 * 4, U32At(*bytes, 34));
    Image image;
    ASSERT_TRUE(image.Load(file));
    EXPECT_EQ(kMovingBoxBackground, image.PixelAt(63, 47) & 0xFFFFFF);
    EXPECT_EQ(kMovingBoxColor, image.PixelAt(ObjectLeft(64, 50) + 5, 5) & 0xFFFFFF);
}

TEST_F(SnapshotTest, AnOddWidthGetsPaddedRows) {
    const std::wstring file = SnapshotOf(MovingBoxVideo(50, 30, 20), "odd");
    const auto bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(54u + 92 * 20, bytes->size());
    EXPECT_EQ(30u, U32At(*bytes, 18));
    Image image;
    ASSERT_TRUE(image.Load(file));
    EXPECT_EQ(Coded(kMovingBoxBackground), image.PixelAt(29, 19) & 0xFFFFFF);
}

TEST_F(SnapshotTest, NothingIsWrittenWithoutAPictureOrAPlace) {
    OpenAndStart(kSynopsis);
    player.AddDrawCallback(&FrameCounter::Draw, &counter);
    ASSERT_TRUE(WaitForFrames(1));
    EXPECT_EQ(0, player.Snapshot(nullptr));
    EXPECT_EQ(0, player.Snapshot(L"Z:\\no\\such\\folder\\x.bmp"));
    ASSERT_EQ(1, player.Stop());
    const std::wstring file =
        SampleServerFixture::Get().MakeScratchFolder("stopped") + L"\\stopped.bmp";
    EXPECT_EQ(0, player.Snapshot(file.c_str()));
    EXPECT_FALSE(FileExists(file));
}

} // namespace
