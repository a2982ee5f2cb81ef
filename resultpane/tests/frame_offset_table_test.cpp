#include "frame_offset_table.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(FrameOffsetTable, UnknownTaskReadsZeroAndStoresAreKeptPerTask) {
    EXPECT_EQ(0, FrameOffsetTable::Lookup(900001));
    FrameOffsetTable::Set(900001, -250);
    FrameOffsetTable::Set(900002, 2147483647);
    EXPECT_EQ(-250, FrameOffsetTable::Lookup(900001));
    EXPECT_EQ(2147483647, FrameOffsetTable::Lookup(900002));
    EXPECT_EQ(0, FrameOffsetTable::Lookup(-900001));
}

// A writer and readers at once, as the UI thread and the track worker are:
// every value read is one that was written whole.
TEST(FrameOffsetTable, ConcurrentWritersAndReadersSeeOnlyWrittenValues) {
    constexpr int kTasks = 64;
    std::vector<std::thread> threads;
    threads.emplace_back([] {
        for (int round = 0; round < 200; ++round)
            for (int task = 0; task < kTasks; ++task)
                FrameOffsetTable::Set(910000 + task, task * 1000 + round);
    });
    bool allWhole = true;
    threads.emplace_back([&allWhole] {
        for (int round = 0; round < 200; ++round)
            for (int task = kTasks - 1; task >= 0; --task) {
                const int32_t value = FrameOffsetTable::Lookup(910000 + task);
                if (value != 0 && value / 1000 != task)
                    allWhole = false;
            }
    });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_TRUE(allWhole);
    EXPECT_EQ(5 * 1000 + 199, FrameOffsetTable::Lookup(910005));
}

} // namespace
