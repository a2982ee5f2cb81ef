#include "play_positions.h"

#include <algorithm>
#include <cmath>

std::optional<double> SegmentFrameOf(uint32_t current, SegmentBounds segment) {
    if (current == kNoCurrentFrame)
        return std::nullopt;
    if (current < segment.start)
        return 0.0;
    if (current > segment.end)
        return static_cast<double>(segment.Length());
    return static_cast<double>(current - segment.start);
}

std::optional<double> SegmentTimeOf(uint32_t current, SegmentBounds segment, uint32_t totalFrames,
                                    uint32_t totalMs) {
    if (current == kNoCurrentFrame || current < segment.start || current > segment.end ||
        totalFrames == 0)
        return std::nullopt;
    return static_cast<double>(current - segment.start) / totalFrames * totalMs / 1000.0;
}

uint32_t FrameSeekTarget(double frame, SegmentBounds segment) {
    double target = frame + (segment.IsSegment() ? segment.start : 0);
    if (!std::isfinite(target))
        target = 0;
    return static_cast<uint32_t>(std::clamp(target, 0.0, static_cast<double>(kNoCurrentFrame - 1)));
}

std::optional<uint32_t> TimeSeekTarget(double seconds, uint32_t totalMs, uint32_t totalFrames,
                                       SegmentBounds segment) {
    const uint32_t wholeSeconds = totalMs / 1000;
    if (wholeSeconds == 0)
        return std::nullopt;
    return FrameSeekTarget(seconds / wholeSeconds * totalFrames, segment);
}

double FrameRateOf(uint32_t totalFrames, uint32_t totalMs, double fallback) {
    if (totalMs == 0 || totalFrames == 0)
        return fallback;
    return totalFrames / (totalMs / 1000.0);
}
