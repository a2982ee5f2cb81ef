#include "playback_values.h"

#include <cmath>
#include <cstdio>

namespace {

// Whole units of a value that may come from anywhere: 0 for what no int32 holds.
int32_t WholeOf(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 2147483648.0)
        return 0;
    return static_cast<int32_t>(value);
}

double RateOr25(double frameRate) {
    return frameRate > 0 ? frameRate : 25.0;
}

std::wstring Clock(int32_t seconds) {
    if (seconds < 0)
        seconds = 0;
    wchar_t text[32];
    swprintf(text, 32, L"%02d:%02d:%02d", seconds / 3600 % 24, seconds % 3600 / 60, seconds % 60);
    return text;
}

} // namespace

std::wstring PlayTimeLabel(double currentSeconds, double totalSeconds) {
    return Clock(WholeOf(currentSeconds)) + L"/" + Clock(WholeOf(totalSeconds));
}

ReportSeconds ReportSecondsOf(int32_t startFrame, int32_t endFrame, double frameRate) {
    const double rate = RateOr25(frameRate);
    return ReportSeconds{WholeOf(startFrame / rate), WholeOf(endFrame / rate + 0.5)};
}

FragmentSpan FragmentSpanOf(int32_t segmentStart, int32_t segmentEnd, double frameRate) {
    const double rate = RateOr25(frameRate);
    FragmentSpan span;
    span.startSecond = WholeOf(segmentStart / rate) - 2;
    if (span.startSecond <= 0)
        span.startSecond = 0;
    span.seconds = WholeOf((static_cast<double>(segmentEnd) - segmentStart) / rate) + 3;
    return span;
}

std::wstring FileNameOfPath(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring CaptureFileName(const std::wstring& videoPath, int32_t currentSecond,
                             int32_t totalSeconds) {
    const std::wstring name = FileNameOfPath(videoPath);
    return name.substr(0, name.find(L'.')) + L"_" + std::to_wstring(currentSecond) + L"_" +
           std::to_wstring(totalSeconds) + L".jpg";
}

int32_t SliderPositionFor(double frame, int32_t rangeMax) {
    const int32_t position = WholeOf(frame);
    return position > rangeMax || position < 0 ? 0 : position;
}
