// What the snapshot panel asks of the browser and of the page's script, seen
// through a stand-in browser: the page's address, and the column and
// download buttons calling the page's functions.
#include "browser_stand_in.h"
#include "module_path.h"
#include "resource.h"
#include "snapshot_panel_fixture.h"

#include <optional>

namespace {

class SnapshotScriptCallsTest : public SnapshotPanelTest {
protected:
    void SetUp() override {
        SnapshotPanelTest::SetUp();
        m_standIn.emplace();
        ASSERT_TRUE(m_standIn->Registered());
        StandInLog() = BrowserStandInLog();
    }
    void TearDown() override {
        m_panels.clear();
        m_standIn.reset();
        SnapshotPanelTest::TearDown();
    }
    void Press(CSnapShotDlg& panel, int id) { SendMessageW(panel.Item(id), BM_CLICK, 0, 0); }

    std::optional<BrowserStandInRegistration> m_standIn;
};

TEST_F(SnapshotScriptCallsTest, PanelNavigatesToThePageOfEitherClassOrToABlankOne) {
    CSnapShotDlg& blank = *m_panels.emplace_back(std::make_unique<CSnapShotDlg>());
    ASSERT_NE(nullptr, blank.Create(m_page.Hwnd(), ThisModule()));
    CSnapShotDlg& panel = MakePanel(12, 0);
    panel.SetPage(m_server, 4096, -1);
    EXPECT_EQ((std::vector<std::wstring>{
                  L"about:blank", L"http://" + m_server + L"/snapshot1pagedb.php?id=12&class=tube",
                  L"http://" + m_server + L"/snapshot1pagedb.php?id=4096&class=obj"}),
              StandInLog().navigations);
}

TEST_F(SnapshotScriptCallsTest, ButtonsCallThePageFunctionsUnlessThePageHasNone) {
    CSnapShotDlg& panel = MakePanel(12, 1);
    for (int id : {IDC_SNAP_COLUMN3, IDC_SNAP_COLUMN1, IDC_SNAP_COLUMN4, IDC_SNAP_COLUMN2,
                   IDC_SNAP_DOWNLOAD})
        Press(panel, id);
    // Names are looked up under the system default locale (nothing else is noted).
    const std::vector<std::wstring> calls = {L"setPicsPerRow(3)", L"setPicsPerRow(1)",
                                             L"setPicsPerRow(4)", L"setPicsPerRow(2)",
                                             L"downloadPics()"};
    EXPECT_EQ(calls, StandInLog().scriptCalls);

    StandInLog().pageDefinesFunctions = false;
    Press(panel, IDC_SNAP_COLUMN2);
    Press(panel, IDC_SNAP_DOWNLOAD);
    EXPECT_EQ(calls, StandInLog().scriptCalls);
    EXPECT_TRUE(panel.Exists());
    EXPECT_TRUE(m_reports.empty());
}

} // namespace
