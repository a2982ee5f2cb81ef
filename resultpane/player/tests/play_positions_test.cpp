// Positions within a segment: frames and seconds before, inside and after it,
// and where frame and time seeks land.
#include "play_positions.h"

#include <gtest/gtest.h>

namespace {

const SegmentBounds kSegment{100, 150};

TEST(SegmentFrames, CountFromTheStartAndStopAtTheEnds) {
    EXPECT_EQ(0.0, SegmentFrameOf(99, kSegment));
    EXPECT_EQ(0.0, SegmentFrameOf(100, kSegment));
    EXPECT_EQ(20.0, SegmentFrameOf(120, kSegment));
    EXPECT_EQ(50.0, SegmentFrameOf(150, kSegment));
    EXPECT_EQ(50.0, SegmentFrameOf(151, kSegment)) << "after the end: the segment's length";
    EXPECT_FALSE(SegmentFrameOf(kNoCurrentFrame, kSegment)) << "no frame is not after the end";
}

TEST(SegmentTimes, ScaleTheMediaTotalsAndExistOnlyInside) {
    // 3000 frames in 120 s: 25 frames a second.
    EXPECT_DOUBLE_EQ(1.0, *SegmentTimeOf(125, kSegment, 3000, 120000));
    EXPECT_DOUBLE_EQ(0.0, *SegmentTimeOf(100, kSegment, 3000, 120000));
    EXPECT_FALSE(SegmentTimeOf(99, kSegment, 3000, 120000));
    EXPECT_FALSE(SegmentTimeOf(151, kSegment, 3000, 120000));
    EXPECT_FALSE(SegmentTimeOf(120, kSegment, 0, 0)) << "no frames";
    EXPECT_FALSE(SegmentTimeOf(kNoCurrentFrame, kSegment, 3000, 120000));
}

TEST(FrameSeeks, AddTheSegmentStartAndStayInRange) {
    EXPECT_EQ(110u, FrameSeekTarget(10, kSegment));
    EXPECT_EQ(10u, FrameSeekTarget(10, SegmentBounds{7, 7})) << "whole file";
    EXPECT_EQ(50u, FrameSeekTarget(-50, kSegment)) << "before the segment";
    EXPECT_EQ(0u, FrameSeekTarget(-500, kSegment));
    EXPECT_EQ(0xFFFFFFFEu, FrameSeekTarget(1e12, kSegment));
    EXPECT_EQ(0u, FrameSeekTarget(std::numeric_limits<double>::quiet_NaN(), SegmentBounds{}));
}

TEST(TimeSeeks, UseWholeSecondsAndRefuseMediaShorterThanOne) {
    // 3000 frames, 120 s: 60 s is frame 1500.
    EXPECT_EQ(1500u, TimeSeekTarget(60.0, 120000, 3000, SegmentBounds{}));
    EXPECT_EQ(1600u, TimeSeekTarget(60.0, 120000, 3000, kSegment));
    // 1.9 s counts as 1 whole second: 0.5 s of 47 frames lands on frame 23.
    EXPECT_EQ(23u, TimeSeekTarget(0.5, 1900, 47, SegmentBounds{}));
    EXPECT_FALSE(TimeSeekTarget(0.2, 999, 24, SegmentBounds{}));
    EXPECT_FALSE(TimeSeekTarget(0.2, 0, 0, SegmentBounds{}));
}

TEST(FrameRates, ComeFromTheTotals) {
    EXPECT_DOUBLE_EQ(25.0, FrameRateOf(3000, 120000, 1.0));
    EXPECT_DOUBLE_EQ(25.0, FrameRateOf(10, 400, 1.0));
    EXPECT_DOUBLE_EQ(12.5, FrameRateOf(0, 0, 12.5)) << "no length: keep what we had";
}

} // namespace
