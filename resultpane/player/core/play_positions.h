// Positions of a player that may be confined to a segment of its media:
// frames and seconds within the segment, and where a seek lands in the media.
// A segment runs from its start frame to its end frame; equal bounds mean the
// whole file.
#pragma once

#include <cstdint>
#include <optional>

struct SegmentBounds {
    uint32_t start = 0;
    uint32_t end = 0;

    bool IsSegment() const { return start != end; }
    uint32_t Length() const { return end - start; }
};

// The library's "no current frame".
inline constexpr uint32_t kNoCurrentFrame = 0xFFFFFFFFu;

// The current frame counted from the segment's start: 0 before it, the
// segment's length after it. Nothing when the library has no current frame.
std::optional<double> SegmentFrameOf(uint32_t current, SegmentBounds segment);

// Seconds from the segment's start to the current frame, from the media's
// totals; nothing outside the segment or for a media without frames.
std::optional<double> SegmentTimeOf(uint32_t current, SegmentBounds segment, uint32_t totalFrames,
                                    uint32_t totalMs);

// The media frame a seek to frame (counted from the segment's start) lands
// on, kept within 0 .. 0xFFFFFFFE.
uint32_t FrameSeekTarget(double frame, SegmentBounds segment);

// The media frame a seek to seconds lands on: seconds over the media's whole
// seconds, times its frames. Nothing for media shorter than one second.
std::optional<uint32_t> TimeSeekTarget(double seconds, uint32_t totalMs, uint32_t totalFrames,
                                       SegmentBounds segment);

// Frames per second from the media's totals; fallback when it has no length.
double FrameRateOf(uint32_t totalFrames, uint32_t totalMs, double fallback);
