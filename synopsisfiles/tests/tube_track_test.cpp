#include "synopsis_writers.h"
#include "track_frames.h"
#include "tube_track.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Offsets in a file written by WriteTubeFile.
constexpr size_t kIndex = 14;
constexpr size_t kEntry = 20;

void PutI64(std::vector<uint8_t>& bytes, size_t offset, int64_t value) {
    for (int i = 0; i < 8; ++i)
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

int64_t GetI64(const std::vector<uint8_t>& bytes, size_t offset) {
    int64_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
}

TubeBlock Tube(int32_t tubeId, std::vector<TubeFrame> frames) {
    TubeBlock block;
    block.tubeId = tubeId;
    block.indexTubeId = tubeId;
    block.frames = std::move(frames);
    return block;
}

std::vector<uint8_t> File(std::vector<TubeBlock> tubes) {
    TubeFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    content.tubes = std::move(tubes);
    return WriteTubeFile(content);
}

Track Extract(const std::vector<uint8_t>& file, int32_t objectId, int32_t tubeId,
              int32_t frameOffset = 0) {
    Track track{TrackBox{99, 9, 9, 9, 9, 9, 9}}; // stale content must go
    EXPECT_EQ(1, ExtractTubeTrack(file, objectId, tubeId, track, frameOffset));
    return track;
}

TEST(TubeTrack, CollectsTheObjectsBoxesThenTheClosingRecord) {
    const auto file = File({Tube(7, {{150, {{1, 10, 20, 30, 40}, {2, 5, 5, 5, 5}}},
                                     {151, {{2, 6, 6, 6, 6}, {1, 11, 21, 31, 41}}}})});
    const Track track = Extract(file, 1, 7, -100);
    ASSERT_EQ(3u, track.size());
    EXPECT_EQ((TrackBox{50, 352, 288, 10, 20, 30, 40}), track[0]);
    EXPECT_EQ((TrackBox{51, 352, 288, 11, 21, 31, 41}), track[1]);
    EXPECT_EQ((TrackBox{0, 1, 1, 0, 0, 0, 0}), track[2]);
}

TEST(TubeTrack, NotATubeFileFailsWithAnEmptyTrack) {
    auto file = File({});
    std::memcpy(file.data(), "ASOI", 4);
    Track track{TrackBox{}};
    EXPECT_EQ(0, ExtractTubeTrack(file, 1, 1, track, 0));
    EXPECT_TRUE(track.empty());
    const std::vector<uint8_t> shortFile = {'A', 'S', 'T', 'I', 1, 0};
    EXPECT_EQ(0, ExtractTubeTrack(shortFile, 1, 1, track, 0));
    EXPECT_EQ(0, ExtractTubeTrack({}, 1, 1, track, 0));
}

TEST(TubeTrack, NoTubesGivesOnlyTheClosingRecord) {
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(File({}), 1, 1)));
}

TEST(TubeTrack, MatchesOnTheBlocksTubeIdAndTheItemsObjectId) {
    const auto file =
        File({Tube(7, {{100, {{0x1234, 1, 1, 1, 1}}}}), Tube(8, {{200, {{0x1234, 2, 2, 2, 2}}}})});
    EXPECT_EQ((std::vector<int32_t>{100, 0}), Frames(Extract(file, 0x1234, 7)));
    EXPECT_EQ((std::vector<int32_t>{200, 0}), Frames(Extract(file, 0x1234, 8)));
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 0x1234, 9)));
    // Items hold 16-bit numbers: a wider identifier is never cut down to match.
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 0x11234, 7)));
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, -1, 7)));
}

TEST(TubeTrack, EveryTubeWithTheIdContributesInIndexOrder) {
    auto file = File({Tube(7, {{300, {{1, 1, 1, 1, 1}}}}), Tube(3, {}),
                      Tube(7, {{100, {{1, 1, 1, 1, 1}}}, {101, {{1, 1, 1, 1, 1}}}})});
    EXPECT_EQ((std::vector<int32_t>{300, 100, 101, 0}), Frames(Extract(file, 1, 7)));
    // Swap the first and last index entries: the walk follows the index, not
    // the order of the blocks in the file.
    for (size_t field : {4u, 12u}) {
        const int64_t first = GetI64(file, kIndex + field);
        PutI64(file, kIndex + field, GetI64(file, kIndex + 2 * kEntry + field));
        PutI64(file, kIndex + 2 * kEntry + field, first);
    }
    EXPECT_EQ((std::vector<int32_t>{100, 101, 300, 0}), Frames(Extract(file, 1, 7)));
}

TEST(TubeTrack, AFrameWithoutItemsTakesSixBytes) {
    const auto file = File({Tube(7, {{10, {}}, {11, {}}, {12, {{4, 7, 8, 9, 10}}}})});
    const Track track = Extract(file, 4, 7);
    ASSERT_EQ(2u, track.size());
    EXPECT_EQ((TrackBox{12, 352, 288, 7, 8, 9, 10}), track[0]);
}

TEST(TubeTrack, FrameCountAndBlockLengthEachEndTheTube) {
    const std::vector<TubeFrame> frames = {{1, {{1, 1, 1, 1, 1}}}, {2, {{1, 1, 1, 1, 1}}}};
    const size_t block = kIndex + kEntry;
    auto file = File({Tube(7, frames)});
    PutU32(file, block + 16, 0); // frameCount 0, blockLength still covers both frames
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 1, 7)));
    PutU32(file, block + 16, 1);
    EXPECT_EQ((std::vector<int32_t>{1, 0}), Frames(Extract(file, 1, 7)));

    file = File({Tube(7, frames)});
    PutI64(file, kIndex + 12, 20); // a block of only its header
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 1, 7)));
    PutI64(file, kIndex + 12, -1);
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 1, 7)));
}

TEST(TubeTrack, ARecordThatLeavesItsBlockOrTheFileEndsTheTube) {
    const std::vector<TubeFrame> frames = {{1, {{1, 1, 1, 1, 1}}}, {2, {{1, 1, 1, 1, 1}}}};
    auto file = File({Tube(7, frames), Tube(7, {{9, {{1, 1, 1, 1, 1}}}})});
    // The first block claims one byte less than its second record needs: the
    // bytes are there (the next block), but they are not the tube's.
    PutI64(file, kIndex + 12, GetI64(file, kIndex + 12) - 1);
    EXPECT_EQ((std::vector<int32_t>{1, 9, 0}), Frames(Extract(file, 1, 7)));

    // A block that claims more records and length than the file holds.
    file = File({Tube(7, frames)});
    PutU32(file, kIndex + kEntry + 16, 1000);
    PutI64(file, kIndex + 12, int64_t{1} << 40);
    EXPECT_EQ((std::vector<int32_t>{1, 2, 0}), Frames(Extract(file, 1, 7)));
    file.resize(file.size() - 1); // the last item is cut short
    EXPECT_EQ((std::vector<int32_t>{1, 0}), Frames(Extract(file, 1, 7)));
    file.resize(file.size() - 12); // only part of the last frame header is left
    EXPECT_EQ((std::vector<int32_t>{1, 0}), Frames(Extract(file, 1, 7)));
}

TEST(TubeTrack, IndexEntriesAndBlocksOutsideTheFileAreSkipped) {
    auto file = File({Tube(7, {{1, {{1, 1, 1, 1, 1}}}}), Tube(7, {{2, {{1, 1, 1, 1, 1}}}})});
    const int64_t secondOffset = GetI64(file, kIndex + kEntry + 4);
    PutI64(file, kIndex + 4, static_cast<int64_t>(file.size()) - 19); // header cut by the end
    EXPECT_EQ((std::vector<int32_t>{2, 0}), Frames(Extract(file, 1, 7)));
    PutI64(file, kIndex + 4, int64_t{1} << 62);
    EXPECT_EQ((std::vector<int32_t>{2, 0}), Frames(Extract(file, 1, 7)));
    PutI64(file, kIndex + 4, -static_cast<int64_t>(file.size()));
    EXPECT_EQ((std::vector<int32_t>{2, 0}), Frames(Extract(file, 1, 7)));
    PutI64(file, kIndex + 4, secondOffset); // two entries may share a block
    EXPECT_EQ((std::vector<int32_t>{2, 2, 0}), Frames(Extract(file, 1, 7)));

    // A tube count far beyond the index the file holds.
    PutU32(file, 10, 0x7FFFFFFF);
    EXPECT_EQ((std::vector<int32_t>{2, 2, 0}), Frames(Extract(file, 1, 7)));
    file.resize(kIndex + kEntry + 5); // the second entry is cut short
    EXPECT_EQ((std::vector<int32_t>{0}), Frames(Extract(file, 1, 7)));
}

TEST(TubeTrack, EntriesThatRepeatOneBlockCannotMultiplyTheTrack) {
    std::vector<TubeFrame> frames;
    for (int32_t f = 0; f < 100; ++f)
        frames.push_back({f, {{1, 1, 1, 1, 1}}});
    std::vector<TubeBlock> tubes(100, Tube(7, {}));
    tubes[0] = Tube(7, frames);
    auto file = File(tubes);
    const int64_t shared = GetI64(file, kIndex + 4);
    for (size_t entry = 1; entry < tubes.size(); ++entry) {
        PutI64(file, kIndex + entry * kEntry + 4, shared);
        PutI64(file, kIndex + entry * kEntry + 12, GetI64(file, kIndex + 12));
    }
    const Track track = Extract(file, 1, 7);
    // Each box is a 10-byte item: no more boxes than the file could hold once.
    EXPECT_LE((track.size() - 1) * 10, file.size());
    EXPECT_GE(track.size(), 2 * frames.size()); // the repeats are read while bytes last
}

TEST(TubeTrack, FrameOffsetsWrapInsteadOfOverflowing) {
    const auto file = File({Tube(7, {{INT32_MAX, {{1, 1, 1, 1, 1}}}})});
    EXPECT_EQ((std::vector<int32_t>{INT32_MIN, 0}), Frames(Extract(file, 1, 7, 1)));
}

} // namespace
