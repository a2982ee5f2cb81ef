#include "snapshot_url.h"

#include "escape_url.h"
#include "text_number.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::wstring_view kSnapshotPrefix = L"rpsnap";
constexpr std::wstring_view kDownloadPrefix = L"rpdownload:";
constexpr int64_t kMarkersFrom = 12; // the markers are looked for from here on
constexpr uint32_t kMinimumCount = 75;
constexpr double kFramesPerSecond = 25.0;

// Positions are signed so that "not found" (-1) can take part in the
// arithmetic the way the page's URLs have always been read.
class UrlText {
public:
    explicit UrlText(std::wstring_view text) : m_text(text) {}

    int64_t Length() const { return static_cast<int64_t>(m_text.size()); }
    // The first occurrence of what at or after from; -1 when there is none.
    int64_t Find(std::wstring_view what, int64_t from) const {
        if (from < 0)
            from = 0;
        if (from > Length())
            return -1;
        const size_t at = m_text.find(what, static_cast<size_t>(from));
        return at == std::wstring_view::npos ? -1 : static_cast<int64_t>(at);
    }
    // Up to count units from from; negative values count as 0.
    std::wstring_view Mid(int64_t from, int64_t count) const {
        if (from < 0)
            from = 0;
        if (count < 0 || from >= Length())
            return {};
        return m_text.substr(static_cast<size_t>(from), static_cast<size_t>(count));
    }
    // The last count units; none for a negative count.
    std::wstring_view Right(int64_t count) const {
        if (count <= 0)
            return {};
        if (count >= Length())
            return m_text;
        return m_text.substr(static_cast<size_t>(Length() - count));
    }
    int32_t NumberAt(int64_t from, int64_t count) const {
        return ParseDecimalInt(Mid(from, count));
    }
    // A marker looked for from index 12 on; never found in a shorter text.
    int64_t FindMarker(std::wstring_view marker) const {
        return Length() < kMarkersFrom ? -1 : Find(marker, kMarkersFrom);
    }

private:
    std::wstring_view m_text;
};

// Frame arithmetic wraps like the 32-bit integers it was defined on, without
// the undefined behaviour of signed overflow.
int32_t WrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrappingSubtract(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Truncated toward zero and held within int32: huge times or rates saturate.
int32_t SaturatingTrunc(double value) {
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::trunc(value));
}

// Frames as seconds at the fixed 25 frames per second, the frame number read
// unsigned.
int32_t SecondsOf(int32_t frame, double rounding) {
    return static_cast<int32_t>(
        std::trunc(static_cast<uint32_t>(frame) / kFramesPerSecond + rounding));
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

SnapshotNavigation ClassifySnapshotNavigation(std::wstring_view url) {
    if (StartsWith(url, kSnapshotPrefix))
        return SnapshotNavigation::kSnapshot;
    if (StartsWith(url, kDownloadPrefix))
        return SnapshotNavigation::kDownload;
    return SnapshotNavigation::kOther;
}

SnapshotClick ParseSnapshotUrl(std::wstring_view url) {
    const UrlText u(url);
    SnapshotClick click;

    // "rpsnap", two parts not read here, then the start and count fields.
    const int64_t c1 = u.Find(L":", 0);
    const int64_t c2 = u.Find(L":", c1 + 1);
    const int64_t c3 = u.Find(L":", c2 + 1);
    const int64_t c4 = u.Find(L":", c3 + 1);
    const int64_t c5 = u.Find(L":", c4 + 1);
    int32_t startFrame = u.NumberAt(c3 + 1, c4 - c3 - 1);
    int32_t count = u.NumberAt(c4 + 1, c5 - c4 - 1);
    if (static_cast<uint32_t>(count) <= kMinimumCount)
        count = static_cast<int32_t>(kMinimumCount);
    int32_t endFrame = WrappingAdd(startFrame, count);

    const int64_t t = u.FindMarker(L"tube");
    int64_t o = u.FindMarker(L"obj");
    const bool isObject = o >= 0;
    if (!isObject)
        o = u.FindMarker(L"omp");
    const int64_t underscore = o < 0 ? -1 : u.Find(L"_", o);
    click.tubeNo = u.NumberAt(t + 4, o - t - 4);
    click.compNo = u.NumberAt(o + 3, underscore - o - 3);

    // A start time places the snapshot on the source video: the difference to
    // the page's frame number becomes the task's frame offset.
    const int64_t s = u.Find(L"start_time=", 0);
    if (s >= 0) {
        const int32_t startMs = u.NumberAt(s + 11, u.Find(L":", s + 1) - s - 11);
        const int64_t r = u.Find(L"frame_rate=", 0);
        const int32_t rate = ParseDecimalInt(u.Right(u.Length() - r - 11));
        const int32_t newStart = SaturatingTrunc(startMs / 1000.0 * rate);
        click.frameOffset = WrappingSubtract(newStart, startFrame);
        startFrame = newStart;
        endFrame = WrappingAdd(newStart, count);
    }
    if (isObject)
        click.compNo = WrappingAdd(click.compNo, 0x10000);

    click.startFrame = startFrame;
    click.endFrame = endFrame;
    click.startSecond = SecondsOf(startFrame, 0.0);
    click.endSecond = SecondsOf(endFrame, 0.5);
    click.kind = url.find(L"rightclick") != std::wstring_view::npos ? 4 : 2;
    return click;
}

std::wstring SnapshotDownloadAddress(std::wstring_view url, std::wstring_view server) {
    const std::wstring_view rest = url.substr(std::min(url.size(), kDownloadPrefix.size()));
    return EscapeUrl(L"http://" + std::wstring(server) + L"/" + std::wstring(rest));
}

bool ReportRateLimit::Allow(uint32_t now) {
    // The first report always goes out, whatever the tick count.
    if (m_delivered && now - m_last < kIntervalMs)
        return false;
    m_delivered = true;
    m_last = now;
    return true;
}
