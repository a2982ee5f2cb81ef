// The snapshot page talks to the viewer by navigating to URLs of two private
// forms: "rpsnap..." when the operator clicks a snapshot, "rpdownload:..."
// when it wants a file downloaded. This reads them; any text is accepted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class SnapshotNavigation {
    kOther,    // an ordinary navigation: left alone
    kSnapshot, // begins with "rpsnap" (case-sensitive)
    kDownload, // begins with "rpdownload:"
};
SnapshotNavigation ClassifySnapshotNavigation(std::wstring_view url);

// What a snapshot URL reports, in the order the report carries it.
struct SnapshotClick {
    int32_t startFrame = 0;
    int32_t endFrame = 0;
    int32_t startSecond = 0;
    int32_t endSecond = 0;
    int32_t compNo = 0; // objects of the object file from 0x10000 on
    int32_t tubeNo = 0;
    int32_t kind = 2; // 2 click, 4 right click
    // Set when the URL carries "start_time=": the task's new frame offset.
    std::optional<int32_t> frameOffset;
};

// "rpsnap:A:B:START:COUNT[:...]" followed, after index 12, by "tubeN" and
// "objM_" (or "ompM_" for a tube component), and optionally
// "start_time=MS:frame_rate=R". Missing fields read as 0; a count up to 75
// becomes 75.
SnapshotClick ParseSnapshotUrl(std::wstring_view url);

// The escaped address of a download request: "http://" + server + "/" + the
// text after "rpdownload:".
std::wstring SnapshotDownloadAddress(std::wstring_view url, std::wstring_view server);

// Reports are rate-limited: one at most every 1500 ms of tick count (the
// difference taken unsigned, so the counter may wrap).
class ReportRateLimit {
public:
    static constexpr uint32_t kIntervalMs = 1500;
    // True, and now remembered, when a report may go out at now.
    bool Allow(uint32_t now);

private:
    bool m_delivered = false;
    uint32_t m_last = 0;
};
