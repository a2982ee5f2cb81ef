// The playback panel against the sample server and its media service: what
// the video window shows (boxes, time stamps, the followed object's box),
// the objects it reports, full screen, the transport controls, capture,
// download, and that a long run leaves nothing behind.
//
// The panel is 704 x 646, so its video window is exactly as large as the
// sample pictures (704 x 576) and a picture pixel is a window pixel.
#include "ResultPane.h"
#include "control_site.h"
#include "download_prompt.h"
#include "file_dialog.h"
#include "panel_harness.h"
#include "frame_offset_table.h"
#include "image.h"
#include "module_path.h"
#include "process_resources.h"
#include "resource.h"
#include "result_pane.h"
#include "sample_media.h"
#include "test_fixture.h"
#include "video_play_dlg.h"
#include "yuv420.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kPictureWidth = PanelHarness::kPictureWidth;
constexpr int kPictureHeight = PanelHarness::kPictureHeight;
constexpr uint32_t kBoxColour = 0xFFC800;
constexpr uint32_t kRed = 0xFF0000; // time stamps and the followed object's box

// Task 45's parked object, as its tube and object files and its synopsis
// frames give it: 400, 300, 120 x 90 in the picture, frames 70000 to 70749.
constexpr int kParkedX = 400, kParkedY = 300, kParkedW = 120, kParkedH = 90;

struct Report {
    int flow, start, end, startSecond, endSecond, compId, tubeId, kind;
    bool operator==(const Report&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Report& r) {
    return out << r.flow << " " << r.start << "-" << r.end << " " << r.startSecond << "-"
               << r.endSecond << " comp " << r.compId << " tube " << r.tubeId << " kind " << r.kind;
}

int CountOf(const PixelBuffer& pixels, uint32_t colour, RECT area = {0, 0, 0x7FFF, 0x7FFF}) {
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, pixels.height); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, pixels.width); ++x)
            count += pixels.At(x, y) == colour;
    return count;
}

// Whether a pen of width 2 drawn through (x, y) coloured a pixel next to it.
bool NearColour(const PixelBuffer& pixels, int x, int y, uint32_t colour) {
    return CountOf(pixels, colour, RECT{x - 1, y - 1, x + 2, y + 2}) > 0;
}

bool SameWithin(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

SampleVideo FixtureVideo(const std::string& relative) {
    const auto text = ReadFileBytes(SampleServerFixture::Get().DataFile(relative));
    std::string error;
    auto video = text ? ReadSampleVideo(*text, error) : std::nullopt;
    EXPECT_TRUE(video) << relative << ": " << error;
    return video.value_or(SampleVideo{});
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreatePanel();
        m_server = SampleServerFixture::Get().Server();
    }
    void TearDown() override { m_harness.Destroy(); }

    void CreatePanel() {
        ASSERT_TRUE(m_harness.Create());
        m_panel.AddReportCallback(&PanelTest::Record, this);
    }
    static int Record(int flow, int start, int end, int startSecond, int endSecond, int compId,
                      int tubeId, int kind, void* self) {
        static_cast<PanelTest*>(self)->m_reports.push_back(
            Report{flow, start, end, startSecond, endSecond, compId, tubeId, kind});
        return 0;
    }

    HWND Video() { return m_harness.Video(); }
    CVideoPlayInterface& Player() { return m_panel.Player(); }
    void Press(int id) { m_harness.Press(id); }
    bool WaitUntilPlaying() {
        return WaitFor([&] { return m_panel.IsPlaying() && Player().GetState() == kPlayPlaying; });
    }
    void PlaySynopsis(int flow, const std::wstring& path) {
        m_panel.SetTaskId(flow);
        m_panel.SetSynopsisSource(L"", path, m_server);
    }
    // Pauses and shows frame (counted in the player's range) as a still picture.
    void ShowStill(double frame) {
        if (m_panel.IsPlaying())
            Press(IDC_PLAY_PAUSE);
        ASSERT_EQ(kPlayPaused, Player().GetState());
        Player().SeekFrame(frame);
    }
    bool WaitForPixel(int x, int y, uint32_t colour, bool shown = true) {
        return WaitFor([&] { return (CaptureWindow(Video()).At(x, y) == colour) == shown; });
    }
    void DoubleClick(int x, int y, UINT message = WM_LBUTTONDBLCLK) {
        PostMessageW(Video(), message, message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
    }

    PanelHarness m_harness;
    CVideoPlayDlg& m_panel = m_harness.Panel();
    std::wstring m_server;
    std::vector<Report> m_reports;
};

TEST_F(PanelTest, SynopsisBoxesAndTimeStampsSitWhereTheFramesObjectsAreUntilSwitchedOff) {
    PlaySynopsis(45, kSynopsis45);
    ASSERT_TRUE(WaitUntilPlaying());
    ShowStill(100);
    ASSERT_TRUE(WaitForPixel(kParkedX, kParkedY - 5, kBoxColour));

    const PixelBuffer shown = CaptureWindow(Video());
    const SampleVideo synopsis = FixtureVideo("summary/45/summary.mp4");
    ASSERT_EQ(2u, synopsis.objects.size());
    for (const SceneObject& o : synopsis.objects) {
        const Box box = o.BoxAt(o.firstFrame + 100 - o.synopsisStart);
        const int top = box.y - 5;
        SCOPED_TRACE(testing::Message() << "object at " << box.x << "," << box.y);
        EXPECT_EQ(kBoxColour, shown.At(box.x, top)) << "top-left corner";
        EXPECT_EQ(kBoxColour, shown.At(box.x + box.w / 5 - 1, top)) << "end of the top-left arm";
        EXPECT_NE(kBoxColour, shown.At(box.x + box.w / 2, top)) << "open between the arms";
        EXPECT_EQ(kBoxColour, shown.At(box.x + box.w, top + box.h - 1)) << "bottom-right corner";
        EXPECT_NE(kBoxColour, shown.At(box.x + box.w, top + box.h / 2)) << "open side";
        // The source time stamp just below the box.
        EXPECT_GT(CountOf(shown, kRed, RECT{box.x, box.y + box.h, box.x + 100, box.y + box.h + 24}),
                  10);
    }

    // Boxes off: the time stamps stay; then time stamps off: nothing is drawn
    // and nothing can be hit.
    Press(IDC_OBJECT_TOGGLE);
    Player().SeekFrame(100);
    ASSERT_TRUE(WaitForPixel(kParkedX, kParkedY - 5, kBoxColour, false));
    EXPECT_EQ(0, CountOf(CaptureWindow(Video()), kBoxColour));
    EXPECT_GT(CountOf(CaptureWindow(Video()), kRed), 20);
    Press(IDC_TIME_TOGGLE);
    Player().SeekFrame(100);
    ASSERT_TRUE(WaitFor([&] { return CountOf(CaptureWindow(Video()), kRed) == 0; }));
    DoubleClick(kParkedX + 10, kParkedY + 10);
    // A double-click that hits nothing goes full screen.
    ASSERT_TRUE(WaitFor([&] { return m_panel.VideoWindow().IsFullScreen(); }));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(PanelTest, ObjectsPickedReachTheListenersWithTheirFullFrameNumbers) {
    FrameOffsetTable::Set(45, 999);
    PlaySynopsis(45, kSynopsis45);
    ASSERT_TRUE(WaitUntilPlaying());
    ASSERT_TRUE(WaitForPixel(kParkedX, kParkedY - 5, kBoxColour));

    // Frames 70000 to 70750 at 25 a second: seconds 2800 to 2830 (rounded).
    DoubleClick(kParkedX + 60, kParkedY + 45);
    ASSERT_TRUE(WaitFor([&] { return m_reports.size() == 1; }));
    EXPECT_EQ((Report{45, 70000, 70750, 2800, 2830, 1, 1, 1}), m_reports[0]);
    EXPECT_EQ(0, FrameOffsetTable::Lookup(45)) << "the offset the object's start time implies";
    EXPECT_TRUE(m_panel.IsPlaying()) << "a double-click does not pause";

    DoubleClick(kParkedX + 119, kParkedY + 89, WM_RBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return m_reports.size() == 2; }));
    EXPECT_EQ((Report{45, 70000, 70750, 2800, 2830, 1, 1, 3}), m_reports[1]);
    EXPECT_FALSE(m_panel.IsPlaying()) << "a right-click pauses";
    EXPECT_EQ(kPlayPaused, Player().GetState());
}

TEST_F(PanelTest, DoubleClickOffTheObjectsTogglesFullScreenOnTheWindowsMonitor) {
    RECT before;
    GetWindowRect(Video(), &before);
    DoubleClick(10, 300);
    ASSERT_TRUE(WaitFor([&] { return m_panel.VideoWindow().IsFullScreen(); }));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&before, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT full;
    GetWindowRect(Video(), &full);
    EXPECT_TRUE(EqualRect(&monitor.rcMonitor, &full));
    EXPECT_EQ(nullptr, GetParent(Video()));
    EXPECT_TRUE(GetWindowLongPtrW(Video(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(Video(), GWL_STYLE) & WS_POPUP);

    // Another double-click, or closing it, brings it back where it was.
    for (UINT message : {WM_LBUTTONDBLCLK, WM_CLOSE}) {
        if (message == WM_CLOSE) {
            DoubleClick(10, 300);
            ASSERT_TRUE(WaitFor([&] { return m_panel.VideoWindow().IsFullScreen(); }));
            PostMessageW(Video(), WM_CLOSE, 0, 0);
        } else {
            DoubleClick(10, 300);
        }
        ASSERT_TRUE(WaitFor([&] { return !m_panel.VideoWindow().IsFullScreen(); }));
        EXPECT_TRUE(IsWindow(Video()));
        EXPECT_EQ(m_panel.Hwnd(), GetParent(Video()));
        EXPECT_TRUE(GetWindowLongPtrW(Video(), GWL_STYLE) & WS_CHILD);
        EXPECT_FALSE(GetWindowLongPtrW(Video(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT after;
        GetWindowRect(Video(), &after);
        EXPECT_TRUE(EqualRect(&before, &after));
    }
}

// The followed object's box, from the tube file (compid below 0x10000) and
// from the object file, in each of the three styles; nothing before the
// track's first frame.
TEST_F(PanelTest, TheFollowedObjectsBoxComesFromItsTrackInEachStyle) {
    FrameOffsetTable::Set(45, 0);
    const int left = kParkedX, top = kParkedY - 5, right = kParkedX + kParkedW,
              bottom = kParkedY + kParkedH;
    for (int32_t compId : {1, 0x10001}) {
        SCOPED_TRACE(compId);
        m_panel.SetTaskId(45);
        m_panel.SetVideoSource(L"", kSource45, 69990, 70100, compId, 1, m_server);
        ASSERT_TRUE(WaitUntilPlaying());
        ASSERT_TRUE(
            WaitFor([&] { return m_panel.VideoWindow().TrackSlotOf()->Current()->size() > 1; }));
        ShowStill(5); // frame 69995, before the track
        ASSERT_TRUE(WaitFor([&] { return Player().GetState() == kPlayPaused; }));
        ShowStill(50); // frame 70040
        m_panel.VideoWindow().SetTrackStyle(kTrackBrackets);
        Player().SeekFrame(50);
        ASSERT_TRUE(
            WaitFor([&] { return NearColour(CaptureWindow(Video()), left + 1, top, kRed); }));
        PixelBuffer shown = CaptureWindow(Video());
        EXPECT_TRUE(NearColour(shown, right - 1, bottom, kRed));
        EXPECT_FALSE(NearColour(shown, (left + right) / 2, top, kRed));

        m_panel.VideoWindow().SetTrackStyle(kTrackEllipse);
        Player().SeekFrame(50);
        const int middle = (top + bottom) / 2;
        ASSERT_TRUE(
            WaitFor([&] { return NearColour(CaptureWindow(Video()), left, middle, kRed); }));
        shown = CaptureWindow(Video());
        EXPECT_FALSE(NearColour(shown, left + 1, top, kRed)) << "no corner";
        EXPECT_TRUE(NearColour(shown, (left + right) / 2, top, kRed));

        m_panel.VideoWindow().SetTrackStyle(kTrackCross);
        Player().SeekFrame(50);
        const int centreX = (left + right) / 2;
        ASSERT_TRUE(
            WaitFor([&] { return NearColour(CaptureWindow(Video()), centreX, middle, kRed); }));
        shown = CaptureWindow(Video());
        EXPECT_FALSE(NearColour(shown, left, middle, kRed));
        EXPECT_EQ(0, CountOf(shown, kRed, RECT{left - 2, top - 2, right + 2, top + 10}));

        // Before the track starts nothing is drawn.
        Player().SeekFrame(5);
        ASSERT_TRUE(WaitFor([&] { return CountOf(CaptureWindow(Video()), kRed) == 0; }));
    }
}

TEST_F(PanelTest, ASynopsisOfThirtyFramesHasNoActiveObjectsAndStops) {
    for (const int frames : {30, 31}) {
        SampleVideo video = MovingBoxVideo(frames, 176, 144);
        video.objects[0].synopsisStart = 0; // a synopsis: its frames carry metadata
        const std::string path =
            WriteSampleMedia("media/synopsis" + std::to_string(frames) + ".mp4", video);
        ASSERT_FALSE(path.empty());
        PlaySynopsis(3, std::wstring(path.begin(), path.end()));
        if (frames == 30) {
            ASSERT_TRUE(
                WaitFor([&] { return m_panel.Tips().Text() == L"该摘要视频无活动对象！"; }));
            EXPECT_TRUE(IsWindowVisible(m_panel.Tips().Hwnd()));
            EXPECT_TRUE(WaitFor([&] { return Player().GetState() == kPlayStopped; }));
            EXPECT_FALSE(m_panel.IsPlaying());
        } else {
            EXPECT_TRUE(WaitUntilPlaying());
        }
    }
}

TEST_F(PanelTest, TransportFollowsThePlayerAndTheOperator) {
    const std::string path = WriteSampleMedia("media/transport.mp4", MovingBoxVideo(100, 352, 288));
    ASSERT_FALSE(path.empty());
    m_panel.SetVideoSource(L"", std::wstring(path.begin(), path.end()), 0, 0, 0, 0, m_server);
    ASSERT_TRUE(WaitUntilPlaying());
    EXPECT_NE(0u, m_panel.TimerId());
    HWND slider = GetDlgItem(m_panel.Hwnd(), IDC_PROGRESS_SLIDER);
    EXPECT_EQ(100, SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
    wchar_t label[64] = {};
    ASSERT_TRUE(WaitFor([&] {
        GetDlgItemTextW(m_panel.Hwnd(), IDC_TIME_LABEL, label, 64);
        return std::wstring(label) == L"00:00:01/00:00:04";
    })) << label;
    EXPECT_GT(SendMessageW(slider, TBM_GETPOS, 0, 0), 0);

    Press(IDC_PLAY_PAUSE);
    EXPECT_FALSE(m_panel.IsPlaying());
    EXPECT_EQ(kPlayPaused, Player().GetState());
    Press(IDC_PLAY_PAUSE);
    EXPECT_TRUE(m_panel.IsPlaying());
    EXPECT_EQ(kPlayPlaying, Player().GetState());

    // The operator moves the slider: the player seeks there and plays.
    SendMessageW(slider, TBM_SETPOS, TRUE, 80);
    SendMessageW(m_panel.Hwnd(), WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider));
    double frame = 0;
    ASSERT_TRUE(WaitFor([&] { return Player().GetCurrentFrame(frame) && frame >= 80; }));

    Press(IDC_STOP);
    EXPECT_EQ(L"停止播放", m_panel.Tips().Text());
    ASSERT_TRUE(WaitFor([&] { return m_panel.TimerId() == 0; })) << "the close completes";
    EXPECT_EQ(kPlayStopped, Player().GetState());
    EXPECT_FALSE(m_panel.IsPlaying());
    EXPECT_EQ(0, SendMessageW(slider, TBM_GETPOS, 0, 0));
    // Stopped, the window shows its background picture again.
    Image logo;
    ASSERT_TRUE(logo.Load(ModuleFolder(GetModuleHandleW(nullptr)) + L"\\skin\\center_logo.png"));
    EXPECT_TRUE(WaitForPixel(2, kPictureHeight - 2, logo.PixelAt(0, 0) & 0xFFFFFF));
}

TEST_F(PanelTest, CaptureWritesTheShownFrameAsABitmap) {
    const std::wstring target =
        SampleServerFixture::Get().MakeScratchFolder("capture") + L"\\shot.jpg";
    PlaySynopsis(45, kSynopsis45);
    ASSERT_TRUE(WaitUntilPlaying());
    ASSERT_TRUE(WaitForPixel(kParkedX, kParkedY - 5, kBoxColour));
    {
        FileDialogAnswer answer(target);
        Press(IDC_CAPTURE);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_FALSE(m_panel.IsPlaying()) << "capturing pauses";
    EXPECT_EQ(L"截图成功，文件保存在：" + target, m_panel.Tips().Text());
    const auto file = ReadFileBytes(target);
    ASSERT_TRUE(file);
    constexpr size_t kPixelBytes = size_t{kPictureWidth} * kPictureHeight * 3;
    ASSERT_EQ(54 + kPixelBytes, file->size());
    EXPECT_EQ("BM", file->substr(0, 2));
    // The picture as decoded, rows bottom up, without the overlay: the parked
    // object's own colour at its centre.
    const int x = kParkedX + kParkedW / 2, y = kPictureHeight - 1 - (kParkedY + kParkedH / 2);
    const size_t at = 54 + (size_t{static_cast<size_t>(y)} * kPictureWidth + x) * 3;
    const uint32_t pixel = (static_cast<uint8_t>((*file)[at + 2]) << 16) |
                           (static_cast<uint8_t>((*file)[at + 1]) << 8) |
                           static_cast<uint8_t>((*file)[at]);
    EXPECT_TRUE(SameWithin(YuvToRgb(RgbToYuv(0xE0C040)), pixel, 4)) << std::hex << pixel;
}

// Wine's "DoFileDownload" shows nothing: the viewer's own prompt asks where
// to save and downloads the stretch of source video the server names.
TEST_F(PanelTest, DownloadOfAnObjectsStretchSavesWhatTheServerServes) {
    const std::wstring folder = SampleServerFixture::Get().MakeScratchFolder("download");
    m_panel.SetTaskId(12);
    m_panel.SetVideoSource(L"", kSource12, 100, 350, 1, 1, m_server);
    ASSERT_TRUE(WaitUntilPlaying());
    // The track worker's own requests come first.
    ASSERT_TRUE(
        WaitFor([&] { return m_panel.VideoWindow().TrackSlotOf()->Current()->size() > 1; }));
    const size_t before = SampleServerFixture::Get().LogSize();
    Press(IDC_DOWNLOAD);
    HWND dialog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (dialog = FindFileDialog(kDownloadPromptTitle)) != nullptr; }));
    ASSERT_TRUE(AnswerFileDialog(dialog, folder + L"\\stretch.mp4"));
    ASSERT_TRUE(WaitFor([] { return RunningDownloadPrompts() == 0; }, 20000));

    std::vector<std::string> targets;
    for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(before))
        if (r.version != "MEDIA/1")
            targets.push_back(r.target);
    // Frames 100 to 350 at 25 a second: from second 4 - 2, for 10 + 3 seconds.
    EXPECT_EQ((std::vector<std::string>{
                  // WinInet sends the path's backslashes as slashes.
                  "/getorgvideofragmenturl.php?filename=E:/AstRP_1v2/video/12/cam01.mp4&ss=2"
                  "&endpos=13",
                  "/fragment/video_12_cam01_2_13.mp4"}),
              targets);
    EXPECT_EQ(std::vector<std::wstring>{L"stretch.mp4"}, FolderEntries(folder));
    const auto served =
        ReadFileBytes(SampleServerFixture::Get().DataFile("fragment/video_12_cam01_2_13.mp4"));
    ASSERT_TRUE(served);
    EXPECT_EQ(*served, ReadFileBytes(folder + L"\\stretch.mp4").value_or(""));
}

TEST_F(PanelTest, AThousandOpenPlayStopCyclesLeaveNothingBehind) {
    // Small pictures keep the cycles short.
    SampleVideo video = MovingBoxVideo(50, 176, 144);
    const std::string source = WriteSampleMedia("media/cycle.mp4", video);
    video.objects[0].synopsisStart = 0;
    const std::string synopsis = WriteSampleMedia("media/cyclesynopsis.mp4", video);
    const std::wstring sourcePath(source.begin(), source.end());
    const std::wstring synopsisPath(synopsis.begin(), synopsis.end());
    m_panel.SetTaskId(45);
    // Each mode in turn: a whole file, a synopsis with its overlay, an
    // object's stretch with its track (and a track worker).
    const auto cycle = [&](int i) {
        if (i % 3 == 0)
            m_panel.SetVideoSource(L"", sourcePath, 0, 0, 0, 0, m_server);
        else if (i % 3 == 1)
            m_panel.SetSynopsisSource(L"", synopsisPath, m_server);
        else
            m_panel.SetVideoSource(L"", sourcePath, 10, 40, 1, 1, m_server);
        if (!WaitUntilPlaying())
            return false;
        Player().Stop();
        return WaitFor([&] { return m_panel.TimerId() == 0 && !m_panel.IsPlaying(); });
    };
    // Warm up: whatever is made once (caches, the first panel's extras) is
    // made now, with the panel window made anew as the control does when the
    // operator switches panels.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(cycle(i));
    m_harness.Destroy();
    CreatePanel();
    ASSERT_TRUE(cycle(0));
    const ProcessResources before = CountProcessResources();
    for (int i = 1; i <= 1000; ++i) {
        ASSERT_TRUE(cycle(i)) << "cycle " << i;
        if (i % 100 == 0) {
            m_harness.Destroy();
            CreatePanel();
        }
    }
    ASSERT_TRUE(cycle(0));
    const ProcessResources after = CountProcessResources();
    EXPECT_EQ(before.threads, after.threads);
    EXPECT_EQ(before.windows, after.windows);
    // The system keeps a cache of window DCs (each with its region) that
    // grows a little when several threads draw at once, and handles come and
    // go inside the streaming threads: allowances of a few, where a leak of
    // one for each cycle, or even for each new panel window, would be 10 or
    // more. Of every other kind a frame being drawn when the count is taken
    // may hold one bitmap and memory DC: at most one more (or fewer) of each.
    EXPECT_LE(after.handles, before.handles + 3) << before << " then " << after;
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 6) << before << " then " << after;
    for (const DWORD kind : {OBJ_PEN, OBJ_BRUSH, OBJ_PAL, OBJ_FONT, OBJ_BITMAP, OBJ_MEMDC})
        EXPECT_LE(after.GdiKind(kind), before.GdiKind(kind) + 1) << kind;
}

// A container whose first rectangle is the control dialog's own size sends
// no WM_SIZE: the start panel is shown all the same.
TEST(StartPanel, IsShownWhenTheFirstRectangleIsTheDialogsOwnSize) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    TestParentWindow parent;
    ASSERT_TRUE(parent.Create(900, 800));
    SIZE natural = {};
    for (const bool measure : {true, false}) {
        ComPtr<ICResultPane> pane;
        ASSERT_EQ(S_OK, CResultPane::CreateInstance(IID_ICResultPane, pane.ReceiveVoid()));
        const RECT place = measure ? RECT{0, 0, 300, 200} : RECT{0, 0, natural.cx, natural.cy};
        auto* site = new TestControlSite(parent.Hwnd(), place);
        ASSERT_EQ(S_OK, ActivateInSite(pane.Get(), site, place));
        HWND window = nullptr;
        pane.As<IOleWindow>()->GetWindow(&window);
        if (measure) {
            RECT dialog = {0, 0, 357, 293};
            ASSERT_TRUE(MapDialogRect(window, &dialog));
            natural = {dialog.right, dialog.bottom};
        } else {
            HWND start = static_cast<CResultPane*>(pane.Get())->CurrentPanel();
            ASSERT_NE(nullptr, start);
            EXPECT_TRUE(IsWindowVisible(start));
            RECT client;
            GetClientRect(start, &client);
            EXPECT_EQ(natural.cx, client.right);
            EXPECT_EQ(natural.cy, client.bottom);
        }
        pane.As<IOleObject>()->Close(OLECLOSE_NOSAVE);
        pane.As<IOleObject>()->SetClientSite(nullptr);
        pane.Reset();
        site->Release();
    }
    parent.Destroy();
    OleUninitialize();
}

} // namespace
