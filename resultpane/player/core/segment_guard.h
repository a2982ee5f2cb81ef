// The segment bounds that the frame hook judges the current frame against.
//
// The hook runs on the library's rendering thread and reads the bounds and
// the library's current frame while the user-interface thread may be moving
// playback to another segment of the same file, which takes two steps: new
// bounds, then a seek. A hook that read the old position against the new
// bounds (or the reverse) would stop a segment that has only just begun.
// Moves are therefore counted, like a sequence lock: a move makes the count
// odd while it runs and even again when done, and the hook gives no verdict
// when a move ran at any moment during its reads. Readers never wait.
#pragma once

#include "play_positions.h"

#include <atomic>
#include <cstdint>
#include <optional>

class SegmentGuard {
public:
    SegmentBounds Bounds() const { return SegmentBounds{m_start.load(), m_end.load()}; }

    // Sets the bounds and repositions playback (seek) as one step. Only one
    // thread moves.
    template <class Seek> void Move(SegmentBounds bounds, Seek&& seek) {
        m_moves.fetch_add(1);
        m_start = bounds.start;
        m_end = bounds.end;
        seek();
        m_moves.fetch_add(1);
    }
    void Set(SegmentBounds bounds) {
        Move(bounds, [] {});
    }

    struct PastEnd {
        uint32_t current = 0;
        uint32_t end = 0;
    };
    // The current frame (read by current()) when it lies past the end of a
    // segment; nothing within the segment, for the whole file, without a
    // current frame, or when a move overlapped the reads.
    template <class Current> std::optional<PastEnd> CheckPastEnd(Current&& current) const {
        const uint32_t before = m_moves.load();
        if (before & 1)
            return std::nullopt;
        const SegmentBounds bounds = Bounds();
        if (!bounds.IsSegment())
            return std::nullopt;
        const uint32_t frame = current();
        if (m_moves.load() != before)
            return std::nullopt;
        if (frame == kNoCurrentFrame || frame <= bounds.end)
            return std::nullopt;
        return PastEnd{frame, bounds.end};
    }

private:
    std::atomic<uint32_t> m_moves{0};
    std::atomic<uint32_t> m_start{0};
    std::atomic<uint32_t> m_end{0};
};
