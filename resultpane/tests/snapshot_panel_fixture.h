// Shared pieces of the snapshot panel tests: a page window holding panels,
// the reports they deliver, and the process-wide report rate limit.
#pragma once

#include "control_site.h"
#include "message_wait.h"
#include "snapshot_dlg.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

struct RecordedReport {
    int task, startFrame, endFrame, startSecond, endSecond, compId, tubeId, kind;
    bool operator==(const RecordedReport& o) const {
        return task == o.task && startFrame == o.startFrame && endFrame == o.endFrame &&
               startSecond == o.startSecond && endSecond == o.endSecond && compId == o.compId &&
               tubeId == o.tubeId && kind == o.kind;
    }
};
void PrintTo(const RecordedReport& r, std::ostream* out);

// A report callback; userData is a std::vector<RecordedReport>. Notes the
// time of every report, so tests can wait out the rate limit.
int RecordReport(int task, int startFrame, int endFrame, int startSecond, int endSecond, int compId,
                 int tubeId, int kind, void* userData);
// Waits until a new report may go out (1500 ms after the last one any
// panel in this process delivered).
void WaitOutReportLimit();

class SnapshotPanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A panel on the page, showing task's page of the sample server.
    CSnapShotDlg& MakePanel(int32_t task, int32_t objClass);
    size_t LogSize() const { return SampleServerFixture::Get().LogSize(); }
    std::vector<std::string> TargetsSince(size_t offset) const;
    // Waits for a request with target to reach the server.
    bool WaitForRequest(size_t offset, const std::string& target) const;

    TestParentWindow m_page;
    std::wstring m_server;
    std::vector<std::unique_ptr<CSnapShotDlg>> m_panels;
    std::vector<RecordedReport> m_reports;
};
