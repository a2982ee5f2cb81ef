// The playback panel in a page: objects picked in task 45's synopsis reach
// the page's handlers with their full frame numbers (its objects lie past
// source frame 65535), and a page that answers by switching panels or by
// removing the control keeps running.
#include "page_host_runner.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The bracket colour of the synopsis overlay.
const std::string kBoxColour = "0xFFC800";
// The parked object of task 45 (400, 300, 120 x 90 in a 704 x 576 picture)
// as it shows in the pane's 714 x 516 video window.
const std::string kParkedObject = "466 309";

class PlaybackPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = SampleServerFixture::Get().MakeScratchFolder(
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string Synopsis45() const {
        return Preamble() + "call pane Ocx_Init \"" + Narrow(SampleServerFixture::Get().Server()) +
               "\"\n"
               "call pane Ocx_ViewResultEx 45 1\n"
               "wait-color pane " +
               kBoxColour + " 15000\n";
    }
    std::wstring m_folder;
};

TEST_F(PlaybackPageTest, DoubleAndRightClicksRaiseBothEventsWithFullFrameNumbers) {
    // 70000 + 750 frames at 25 a second: seconds 2800 to 2830.
    const HostRun run =
        RunHost(m_folder, Synopsis45() + "dblclick pane " + kParkedObject +
                              "\n"
                              "expect-event pane OnViewResultEvent 5000 45 1 70000 70750 1 1\n"
                              "expect-event pane OnViewResultEventEx 5000 45 1 70000 70750 2800 "
                              "2830 1 1\n"
                              "rclick pane " +
                              kParkedObject +
                              "\n"
                              "expect-event pane OnViewResultEvent 5000 45 3 70000 70750 1 1\n"
                              "expect-event pane OnViewResultEventEx 5000 45 3 70000 70750 2800 "
                              "2830 1 1\n");
    EXPECT_EQ(0u, run.exitCode) << run.output;
}

// The page's handler runs after the panel has finished with the click: it
// may replace the panel, or remove the control, from inside the event.
TEST_F(PlaybackPageTest, AHandlerMaySwitchPanelsOrRemoveTheControl) {
    const HostRun switched = RunHost(
        m_folder, Synopsis45() +
                      "on pane OnViewResultEvent call pane Ocx_ViewResultEx $1 3\n"
                      "dblclick pane " +
                      kParkedObject +
                      "\n"
                      "expect-event pane OnViewResultEventEx 5000 45 1 70000 70750 * * 1 1\n"
                      "call pane Ocx_ViewResultEx 45 1\n"
                      "wait-color pane " +
                      kBoxColour + " 15000\n");
    EXPECT_EQ(0u, switched.exitCode) << switched.output;
    EXPECT_NE(std::string::npos, switched.output.find("call pane.Ocx_ViewResultEx(45, 3)"));

    const HostRun removed =
        RunHost(m_folder, Synopsis45() +
                              "on pane OnViewResultEvent destroy pane\n"
                              "dblclick pane " +
                              kParkedObject +
                              "\n"
                              "expect-event pane OnViewResultEvent 5000 45 1 70000 70750 1 1\n"
                              "create again {d4d43952-57fc-40e5-ace5-7ef522b19e73} 0 0 714 586\n"
                              "call again Ocx_Init \"" +
                              Narrow(SampleServerFixture::Get().Server()) +
                              "\"\n"
                              "call again Ocx_ViewResultEx 45 1\n"
                              "wait-color again " +
                              kBoxColour + " 15000\n");
    EXPECT_EQ(0u, removed.exitCode) << removed.output;
    EXPECT_NE(std::string::npos, removed.output.find("destroy pane"));
    EXPECT_EQ(std::string::npos, removed.output.find("OnViewResultEventEx"))
        << "the control was gone before its second event";
}

} // namespace
