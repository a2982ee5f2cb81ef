// The page host end to end: it registers and embeds the result viewer through
// the system's container, drives it by script against the sample server, and
// reports with its exit code.
#include "image.h"
#include "page_host_runner.h"
#include "module_path.h"
#include "test_fixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

class PageHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = SampleServerFixture::Get().MakeScratchFolder(
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_server = Narrow(SampleServerFixture::Get().Server());
    }
    std::wstring m_folder;
    std::string m_server;
};

TEST_F(PageHostTest, DrivesTheViewerAgainstTheServerAndCapturesIt) {
    const size_t before = SampleServerFixture::Get().LogSize();
    const HostRun run = RunHost(m_folder, Preamble() +
                                              "capture pane start.png\n"
                                              "call pane Ocx_Init \"" +
                                              m_server +
                                              "\"\n"
                                              "expect-hr 0\n"
                                              "call pane Ocx_PlaySrvVideo\n"
                                              "expect-ret \"param cann't empty!\"\n"
                                              "call pane Ocx_ViewResultEx 12 1\n"
                                              "expect-hr 0\n"
                                              "wait 100\n"
                                              "capture pane synopsis.png\n"
                                              "call pane Ocx_ViewResultEx 12 9\n"
                                              "destroy pane\n");
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("create pane " + Narrow(kClsid) + " -> ok"));
    EXPECT_NE(
        std::string::npos,
        run.output.find("call pane.Ocx_PlaySrvVideo() -> 0x00000000 \"param cann't empty!\""));
    EXPECT_NE(std::string::npos, run.output.find("exit 0"));

    std::vector<std::string> targets;
    for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(before))
        if (r.version != "MEDIA/1") // the panel's player talks to the media service too
            targets.push_back(r.target);
    EXPECT_EQ((std::vector<std::string>{"/query_ex.php?flowNumber=12"}), targets);

    // The start panel shows the default skin's logo, installed beside the
    // DLL, centred on the logo's corner colour.
    Image start, synopsis, logo;
    ASSERT_TRUE(start.Load(m_folder + L"\\start.png"));
    ASSERT_TRUE(synopsis.Load(m_folder + L"\\synopsis.png"));
    ASSERT_TRUE(logo.Load(ModuleFolder(GetModuleHandleW(nullptr)) + L"\\skin\\center_logo.png"));
    EXPECT_EQ(714, start.Width());
    EXPECT_EQ(586, start.Height());
    const uint32_t corner = logo.PixelAt(0, 0) & 0xFFFFFF;
    EXPECT_EQ(corner, start.PixelAt(3, 3) & 0xFFFFFF);
    EXPECT_EQ(corner, start.PixelAt(710, 582) & 0xFFFFFF);
    const int left = (714 - logo.Width()) / 2, top = (586 - logo.Height()) / 2;
    int logoPixelsSeen = 0;
    for (int y = 0; y < logo.Height(); y += 5) {
        for (int x = 0; x < logo.Width(); x += 5) {
            const uint32_t expected = logo.PixelAt(x, y) & 0xFFFFFF;
            ASSERT_EQ(expected, start.PixelAt(left + x, top + y) & 0xFFFFFF) << x << "," << y;
            logoPixelsSeen += expected != corner;
        }
    }
    EXPECT_GT(logoPixelsSeen, 100) << "the logo is more than its background";
    EXPECT_NE(start.PixelAt(357, 580) & 0xFFFFFF, synopsis.PixelAt(357, 580) & 0xFFFFFF)
        << "the playback panel replaced the start panel";
}

// The configuration control in the system's container: its snapshot from the
// server, a region drawn by clicks after the panel's button chose its kind.
TEST_F(PageHostTest, EmbedsTheConfigurationControlAndDrawsOnIt) {
    std::string dll;
    for (char c : Narrow(ModuleFolder(GetModuleHandleW(nullptr)) + L"\\TaskSetup.dll"))
        dll += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const size_t before = SampleServerFixture::Get().LogSize();
    const HostRun run = RunHost(
        m_folder, "timeout 60\nwindow 1000 640\nregister \"" + dll +
                      "\"\ncreate cfg {370e2c13-f3a6-4d63-9eee-ac534dc0a506} 0 0 1000 640\n"
                      "call cfg Ocx_CreateConfigWnd \"3\" \"" +
                      m_server +
                      "\"\nexpect-hr 0\npress cfg 212\nclick cfg 100 100\nclick cfg 500 100\n"
                      "click cfg 500 400\nclick cfg 100 400\ncall cfg Ocx_GetConfigData\n");
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("&UDR_exist=1&UDR_setting=<udr><attr>1</attr>"))
        << run.output;
    std::vector<std::string> targets;
    for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(before))
        targets.push_back(r.target);
    EXPECT_EQ((std::vector<std::string>{"/getvideosnapshot.php?UserUploadVideoId=3",
                                        "/snapshot/upload/3/cam01_transcoded.jpg"}),
              targets);
}

// A snapshot click in the viewer's browser raises both events; the page
// answers by switching to the synopsis, which destroys the snapshot panel,
// and the browser with it, while the panel is still inside the browser's
// navigation event.
TEST_F(PageHostTest, PageSwitchingViewInsideASnapshotEventIsSafe) {
    const size_t before = SampleServerFixture::Get().LogSize();
    const HostRun run =
        RunHost(m_folder, Preamble() + "call pane Ocx_Init \"" + m_server +
                              "\"\n"
                              "on pane OnViewResultEvent call pane Ocx_ViewResultEx $1 1\n"
                              "call pane Ocx_ViewResultEx 12 4\n"
                              "navigate pane \"rpsnap:12:9:100:40:tube12obj3_\"\n"
                              "expect-event pane OnViewResultEvent 5000 12 2 100 175 65539 12\n"
                              "expect-event pane OnViewResultEventEx 5000 12 2 100 175 4 7 "
                              "65539 12\n"
                              "wait 200\n"
                              "navigate pane \"about:blank\"\n");
    // The last navigate finds no browser: the snapshot panel is gone.
    EXPECT_EQ(1u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("pane shows no web browser")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("call pane.Ocx_ViewResultEx(12, 1)"));
    std::vector<std::string> targets;
    for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(before))
        targets.push_back(r.target);
    EXPECT_NE(targets.end(),
              std::find(targets.begin(), targets.end(), "/query_ex.php?flowNumber=12"));
}

TEST_F(PageHostTest, FailedExpectationEndsTheRunWithCodeOne) {
    const HostRun run = RunHost(m_folder, Preamble() + "call pane Ocx_Init \"\"\n"
                                                       "expect-hr 0\n"
                                                       "print never\n");
    EXPECT_EQ(1u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("-> 0x80004005"));
    EXPECT_NE(std::string::npos, run.output.find("FAILED line 6 (expect-hr)"));
    EXPECT_EQ(std::string::npos, run.output.find("never"));
}

TEST_F(PageHostTest, MissingEventTimesOut) {
    const HostRun run = RunHost(m_folder, Preamble() + "expect-event pane OnViewResultEvent 300\n");
    EXPECT_EQ(1u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos,
              run.output.find("no matching OnViewResultEvent event within 300 ms"));
}

TEST_F(PageHostTest, ScriptErrorsSetupFailuresAndTheWatchdogHaveTheirCodes) {
    EXPECT_EQ(2u, RunHost(m_folder, "fly away\n").exitCode);
    EXPECT_EQ(2u, RunHost(m_folder, Preamble() + "call pane NoSuchMethod\n").exitCode);
    EXPECT_EQ(4u,
              RunHost(m_folder, "create pane {00000000-0000-0000-0000-000000000001} 0 0 10 10\n")
                  .exitCode);
    const HostRun slow = RunHost(m_folder, "timeout 1\nwait 20000\n");
    EXPECT_EQ(3u, slow.exitCode);
    EXPECT_NE(std::string::npos, slow.output.find("watchdog"));
}

} // namespace
