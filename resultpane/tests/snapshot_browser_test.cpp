// The snapshot panel with the system's own web browser control: the page it
// asks the server for, and the page's "rpsnap" navigations reaching the
// panel's event sink as reports, with the cancel flag and the rate limit.
#include "event_connection.h"
#include "frame_offset_table.h"
#include "snapshot_panel_fixture.h"

#include <exdispid.h>

#include <optional>

namespace {

// Watches a panel's browser after the panel's own sink, so it sees the
// cancel flag as the panel left it.
class NavigationWatch {
public:
    explicit NavigationWatch(CSnapShotDlg& panel) {
        EXPECT_EQ(S_OK, m_events.Connect(panel.Browser().Get(), DIID_DWebBrowserEvents2,
                                         [this](DISPID id, DISPPARAMS& params) {
                                             if (id != DISPID_BEFORENAVIGATE2)
                                                 return;
                                             const VARIANT& url = params.rgvarg[5];
                                             m_seen.emplace_back(url.pvarVal->bstrVal,
                                                                 *params.rgvarg[0].pboolVal !=
                                                                     VARIANT_FALSE);
                                         }));
    }
    // Navigates the panel's browser and waits for the navigation's
    // BeforeNavigate2; the cancel flag as the panel left it.
    std::optional<bool> Navigate(CSnapShotDlg& panel, const std::wstring& url) {
        const size_t before = m_seen.size();
        BSTR address = SysAllocString(url.c_str());
        VARIANT empty;
        VariantInit(&empty);
        panel.Browser()->Navigate(address, &empty, &empty, &empty, &empty);
        SysFreeString(address);
        PumpMessagesUntil([&] { return m_seen.size() > before; }, 5000);
        for (size_t i = before; i < m_seen.size(); ++i)
            if (m_seen[i].first == url)
                return m_seen[i].second;
        return std::nullopt;
    }

private:
    EventConnection m_events;
    std::vector<std::pair<std::wstring, bool>> m_seen;
};

using SnapshotBrowserTest = SnapshotPanelTest;

TEST_F(SnapshotBrowserTest, BrowserAsksTheServerForThePageOfEitherClass) {
    const size_t before = LogSize();
    CSnapShotDlg& panel = MakePanel(12, 0);
    EXPECT_TRUE(panel.IsBrowserConnected());
    EXPECT_EQ(L"http://" + m_server + L"/snapshot1pagedb.php?id=12&class=tube", panel.Url());
    EXPECT_TRUE(WaitForRequest(before, "/snapshot1pagedb.php?id=12&class=tube"));

    // Any non-zero class is the object page; the window exists, so at once.
    panel.SetPage(m_server, -7, 3);
    EXPECT_EQ(L"http://" + m_server + L"/snapshot1pagedb.php?id=-7&class=obj", panel.Url());
    EXPECT_TRUE(WaitForRequest(before, "/snapshot1pagedb.php?id=-7&class=obj"));
    EXPECT_EQ(-7, panel.TaskId());
    EXPECT_EQ(3, panel.ObjClass());
}

TEST_F(SnapshotBrowserTest, SnapshotNavigationsReportCancelAndShareOneRateLimit) {
    CSnapShotDlg& first = MakePanel(12, 1);
    CSnapShotDlg& second = MakePanel(31, 0);
    NavigationWatch watchFirst(first), watchSecond(second);

    EXPECT_EQ(true, watchFirst.Navigate(
                        first, L"rpsnap:12:9:100:40:tube12obj3_start_time=2000:frame_rate=25"));
    ASSERT_EQ(1u, m_reports.size());
    EXPECT_EQ((RecordedReport{12, 50, 125, 2, 5, 65539, 12, 2}), m_reports[0]);
    EXPECT_EQ(-50, FrameOffsetTable::Lookup(12));

    // Within 1500 ms of that report, in another panel: no report, the
    // navigation goes on, and the frame offset is still taken.
    const std::wstring right = L"rpsnap:31:1:300:80:tube4omp2_rightclick:start_time=20000:"
                               L"frame_rate=25";
    EXPECT_EQ(false, watchSecond.Navigate(second, right));
    EXPECT_EQ(1u, m_reports.size());
    EXPECT_EQ(200, FrameOffsetTable::Lookup(31));

    WaitOutReportLimit();
    EXPECT_EQ(true, watchSecond.Navigate(second, right));
    ASSERT_EQ(2u, m_reports.size());
    EXPECT_EQ((RecordedReport{31, 500, 580, 20, 23, 2, 4, 4}), m_reports[1]);

    // Other spellings and ordinary pages are not the panel's business.
    WaitOutReportLimit();
    EXPECT_EQ(false, watchFirst.Navigate(first, L"RPSNAP:12:9:100:40:tube12obj3_"));
    EXPECT_EQ(false, watchFirst.Navigate(first, L"about:blank"));
    EXPECT_EQ(2u, m_reports.size());
}

// A listener may take the panel's window, and the browser in it, away while
// the panel reports from inside the browser's event.
TEST_F(SnapshotBrowserTest, ListenerDestroyingThePanelInsideTheReportIsSafe) {
    CSnapShotDlg& panel = MakePanel(12, 1);
    static CSnapShotDlg* s_panel = nullptr;
    s_panel = &panel;
    panel.AddReportCallback(
        [](int, int, int, int, int, int, int, int, void*) {
            DestroyWindow(s_panel->Hwnd());
            return 0;
        },
        nullptr);
    ComPtr<IWebBrowser2> browser = panel.Browser();
    BSTR address = SysAllocString(L"rpsnap:12:9:100:40:tube12obj3_");
    VARIANT empty;
    VariantInit(&empty);
    browser->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
    PumpMessagesUntil([&] { return !panel.Exists(); }, 5000);
    EXPECT_FALSE(panel.Exists());
    EXPECT_EQ(1u, m_reports.size());
    EXPECT_FALSE(panel.IsBrowserConnected());
    EXPECT_FALSE(panel.Browser());
    PumpMessagesFor(100); // whatever the browser still had queued runs now
}

} // namespace
