#include "snapshot_panel_fixture.h"

#include "module_path.h"
#include "snapshot_url.h"

#include <algorithm>

namespace {
ULONGLONG g_lastReport = 0;
}

void PrintTo(const RecordedReport& r, std::ostream* out) {
    *out << "{task " << r.task << ", frames " << r.startFrame << ".." << r.endFrame << ", seconds "
         << r.startSecond << ".." << r.endSecond << ", comp " << r.compId << ", tube " << r.tubeId
         << ", kind " << r.kind << "}";
}

int RecordReport(int task, int startFrame, int endFrame, int startSecond, int endSecond, int compId,
                 int tubeId, int kind, void* userData) {
    g_lastReport = GetTickCount64();
    static_cast<std::vector<RecordedReport>*>(userData)->push_back(
        {task, startFrame, endFrame, startSecond, endSecond, compId, tubeId, kind});
    return 0;
}

void WaitOutReportLimit() {
    if (g_lastReport == 0)
        return;
    PumpMessagesUntil(
        [] { return GetTickCount64() - g_lastReport > ReportRateLimit::kIntervalMs + 20; },
        ReportRateLimit::kIntervalMs + 500);
}

void SnapshotPanelTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(m_page.Create(714, 586));
    m_server = SampleServerFixture::Get().Server();
    WaitOutReportLimit();
}

void SnapshotPanelTest::TearDown() {
    m_panels.clear();
    m_page.Destroy();
    OleUninitialize();
}

CSnapShotDlg& SnapshotPanelTest::MakePanel(int32_t task, int32_t objClass) {
    m_panels.push_back(std::make_unique<CSnapShotDlg>());
    CSnapShotDlg& panel = *m_panels.back();
    panel.SetPage(m_server, task, objClass);
    panel.AddReportCallback(RecordReport, &m_reports);
    EXPECT_NE(nullptr, panel.Create(m_page.Hwnd(), ThisModule()));
    MoveWindow(panel.Hwnd(), 0, 0, 714, 586, TRUE);
    ShowWindow(panel.Hwnd(), SW_SHOW);
    return panel;
}

std::vector<std::string> SnapshotPanelTest::TargetsSince(size_t offset) const {
    std::vector<std::string> targets;
    for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(offset))
        targets.push_back(r.target);
    return targets;
}

bool SnapshotPanelTest::WaitForRequest(size_t offset, const std::string& target) const {
    return PumpMessagesUntil(
        [&] {
            const auto targets = TargetsSince(offset);
            return std::find(targets.begin(), targets.end(), target) != targets.end();
        },
        10000);
}
