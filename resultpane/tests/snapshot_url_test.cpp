// Reading the snapshot page's navigations: what a click reports, the download
// address, and the rate limit of reports.
#include "snapshot_url.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Expected {
    const wchar_t* url;
    int32_t startFrame, endFrame, startSecond, endSecond, compNo, tubeNo, kind;
    std::optional<int32_t> frameOffset;
};

TEST(SnapshotUrl, ClicksReportTheirFramesSecondsObjectsAndKind) {
    const Expected cases[] = {
        // The count is raised to 75; the object file's numbering starts at 0x10000.
        {L"rpsnap:12:9:100:40:tube12obj3_.jpg", 100, 175, 4, 7, 65539, 12, 2, {}},
        {L"rpsnap:12:9:100:40:tube12omp3_.jpg", 100, 175, 4, 7, 3, 12, 2, {}},
        {L"rpsnap:12:9:100:40:tube12obj3_rightclick", 100, 175, 4, 7, 65539, 12, 4, {}},
        {L"rpsnap:1:2:250:120:x/tube7obj21_a:b", 250, 370, 10, 15, 65557, 7, 2, {}},
        // A count above 75 is kept.
        {L"rpsnap:1:2:1000:76:", 1000, 1076, 40, 43, 0, 0, 2, {}},
        // A start time moves the frames and gives the task's frame offset.
        {L"rpsnap:12:9:100:40:tube12obj3_start_time=2000:frame_rate=25", 50, 125, 2, 5, 65539, 12,
         2, -50},
        {L"rpsnap:12:9:10:100:tube1obj2_start_time=3500:frame_rate=30", 105, 205, 4, 8, 65538, 1, 2,
         95},
        // Malformed: missing fields read as 0 (a count needs the colon after
        // it), a negative count is huge unsigned and kept, numbers saturate.
        {L"rpsnap:1:2:1000:76", 1000, 1075, 40, 43, 0, 0, 2, {}},
        {L"rpsnap", 0, 75, 0, 3, 0, 0, 2, {}},
        {L"rpsnap:::", 0, 75, 0, 3, 0, 0, 2, {}},
        {L"rpsnap:1:2:-25:-1:", -25, -26, 171798690, 171798691, 0, 0, 2, {}},
        {L"rpsnap:1:2:99999999999:5:", 2147483647, -2147483574, 85899345, 85899349, 0, 0, 2, {}},
        // Markers before index 12 are not seen.
        {L"rpsnaptube5obj6_", 0, 75, 0, 3, 0, 0, 2, {}},
        {L"rpsnap:start_time=1000", 0, 75, 0, 3, 0, 0, 2, 0},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(testing::Message() << "url " << testing::PrintToString(std::wstring(e.url)));
        const SnapshotClick click = ParseSnapshotUrl(e.url);
        EXPECT_EQ(e.startFrame, click.startFrame);
        EXPECT_EQ(e.endFrame, click.endFrame);
        EXPECT_EQ(e.startSecond, click.startSecond);
        EXPECT_EQ(e.endSecond, click.endSecond);
        EXPECT_EQ(e.compNo, click.compNo);
        EXPECT_EQ(e.tubeNo, click.tubeNo);
        EXPECT_EQ(e.kind, click.kind);
        EXPECT_EQ(e.frameOffset, click.frameOffset);
    }
}

TEST(SnapshotUrl, OnlyTheExactPrefixesAreIntercepted) {
    EXPECT_EQ(SnapshotNavigation::kSnapshot, ClassifySnapshotNavigation(L"rpsnap"));
    EXPECT_EQ(SnapshotNavigation::kSnapshot, ClassifySnapshotNavigation(L"rpsnapx:1"));
    EXPECT_EQ(SnapshotNavigation::kDownload, ClassifySnapshotNavigation(L"rpdownload:a.jpg"));
    EXPECT_EQ(SnapshotNavigation::kOther, ClassifySnapshotNavigation(L"RPSNAP:1:2:3:4"));
    EXPECT_EQ(SnapshotNavigation::kOther, ClassifySnapshotNavigation(L"rpsna"));
    EXPECT_EQ(SnapshotNavigation::kOther, ClassifySnapshotNavigation(L"rpdownload"));
    EXPECT_EQ(SnapshotNavigation::kOther, ClassifySnapshotNavigation(L"http://h/rpsnap"));
}

TEST(SnapshotUrl, DownloadAddressIsEscapedWholeBelowTheServer) {
    EXPECT_EQ(L"http://10.0.0.5:8080/snap/a%20b%25c%3Fd.jpg",
              SnapshotDownloadAddress(L"rpdownload:snap/a b%c?d.jpg", L"10.0.0.5:8080"));
    EXPECT_EQ(L"http://h/", SnapshotDownloadAddress(L"rpdownload:", L"h"));
}

TEST(SnapshotUrl, ReportsAreRateLimitedTo1500MsAcrossTheCounterWrap) {
    ReportRateLimit limit;
    EXPECT_TRUE(limit.Allow(100)) << "the first report goes out even early after start";
    EXPECT_FALSE(limit.Allow(1599));
    EXPECT_TRUE(limit.Allow(1600));
    ReportRateLimit wrapping;
    EXPECT_TRUE(wrapping.Allow(0xFFFFFF00u));
    EXPECT_FALSE(wrapping.Allow(0x100u));
    EXPECT_TRUE(wrapping.Allow(0x5DCu + 0x100u));
}

} // namespace
