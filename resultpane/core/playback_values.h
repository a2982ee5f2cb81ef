// The numbers and texts of the playback panel that need no window: the time
// label, a report's seconds, the stretch of source video a download asks
// for, and a captured frame's default file name.
#pragma once

#include <cstdint>
#include <string>

// "HH:MM:SS/HH:MM:SS": the current and the total time in whole seconds, hours
// taken modulo 24.
std::wstring PlayTimeLabel(double currentSeconds, double totalSeconds);

// A report's seconds for an object running from startFrame to endFrame: the
// start rounded down, the end rounded to the nearest second. A rate that is
// not positive counts as 25 frames a second.
struct ReportSeconds {
    int32_t start = 0;
    int32_t end = 0;
};
ReportSeconds ReportSecondsOf(int32_t startFrame, int32_t endFrame, double frameRate);

// What a download of an object's stretch asks the server for: from two
// seconds before the object's first frame (never before 0), for the object's
// length plus three seconds.
struct FragmentSpan {
    int32_t startSecond = 0;
    int32_t seconds = 0;
};
FragmentSpan FragmentSpanOf(int32_t segmentStart, int32_t segmentEnd, double frameRate);

// "name_current_total.jpg", name being the video's file name up to its first ".".
std::wstring CaptureFileName(const std::wstring& videoPath, int32_t currentSecond,
                             int32_t totalSeconds);

// The file-name part of a path with "\" or "/" separators.
std::wstring FileNameOfPath(const std::wstring& path);

// The slider's position for a frame: 0 for a frame beyond the slider's range.
int32_t SliderPositionFor(double frame, int32_t rangeMax);
