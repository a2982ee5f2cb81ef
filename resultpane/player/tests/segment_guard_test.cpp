// The frame hook's verdict on the segment's end while playback moves to
// another segment of the same file: never the old position against the new
// bounds, in either direction.
#include "segment_guard.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentGuard, AHookDuringAMoveGivesNoVerdictAndAfterItJudgesTheNewSegment) {
    struct Move {
        SegmentBounds from, to;
        uint32_t before, after; // positions before and after the seek
    };
    const Move moves[] = {
        {{300, 500}, {100, 200}, 450, 100}, // to an earlier segment
        {{100, 200}, {300, 500}, 150, 300}, // to a later one
    };
    for (const Move& m : moves) {
        SegmentGuard guard;
        guard.Set(m.from);
        uint32_t position = m.before;
        const auto current = [&] { return position; };
        EXPECT_FALSE(guard.CheckPastEnd(current));
        guard.Move(m.to, [&] {
            // A frame judged while bounds and position disagree.
            EXPECT_FALSE(guard.CheckPastEnd(current)) << m.to.start;
            position = m.after;
        });
        EXPECT_FALSE(guard.CheckPastEnd(current)) << m.to.start;
        position = m.to.end + 1;
        const auto past = guard.CheckPastEnd(current);
        ASSERT_TRUE(past);
        EXPECT_EQ(m.to.end + 1, past->current);
        EXPECT_EQ(m.to.end, past->end);
    }
}

TEST(SegmentGuard, AMoveBetweenTheHooksReadsIsNoVerdict) {
    SegmentGuard guard;
    guard.Set({300, 500});
    // The hook has read the bounds when the move happens, then reads the
    // position the move sought to.
    const auto past = guard.CheckPastEnd([&] {
        guard.Move({100, 200}, [] {});
        return uint32_t{600};
    });
    EXPECT_FALSE(past);
    EXPECT_FALSE(SegmentGuard().CheckPastEnd([] { return uint32_t{9}; })) << "the whole file";
    SegmentGuard segment;
    segment.Set({1, 5});
    EXPECT_FALSE(segment.CheckPastEnd([] { return 0xFFFFFFFFu; })) << "no current frame";
}

} // namespace
