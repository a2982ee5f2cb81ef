#include "object_file.h"
#include "synopsis_writers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Offsets in a file written by WriteObjectFile.
constexpr size_t kLocations = 14;
constexpr size_t kLocationSize = 24;

void PutI32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

void PutI64(std::vector<uint8_t>& bytes, size_t offset, int64_t value) {
    std::memcpy(bytes.data() + offset, &value, 8);
}

ObiObjectRecord Object(int32_t objectId, int32_t tubeId, int32_t firstFrame, int frames) {
    ObiObjectRecord object;
    object.objectId = objectId;
    object.tubeId = tubeId;
    object.attr0 = 1;
    object.attr1 = -7;
    object.firstFrame = firstFrame;
    for (int i = 0; i < frames; ++i)
        object.frames.push_back(
            {firstFrame + i, static_cast<uint16_t>(i), 2, 10, static_cast<uint16_t>(20 + i)});
    return object;
}

std::vector<uint8_t> File(std::vector<ObiObjectRecord> objects) {
    ObjectFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    content.objects = std::move(objects);
    return WriteObjectFile(content);
}

int32_t Parse(const std::vector<uint8_t>& file, ObiObjectList& objects, int32_t& count) {
    return ParseObjectFile(file.data(), file.size(), objects, count);
}

// The code a file parses with; a failure must leave nothing behind.
int32_t ParseResult(const std::vector<uint8_t>& file) {
    ObiObjectList objects;
    objects.push_back(std::make_unique<ObiObject>()); // stale content must go
    int32_t count = 5;
    const int32_t result = Parse(file, objects, count);
    if (result != kObiOk) {
        EXPECT_TRUE(objects.empty());
        EXPECT_EQ(0, count);
    }
    return result;
}

TEST(ObjectFile, LoadsEveryObjectWithItsFrames) {
    ObiObjectList objects;
    int32_t count = 0;
    ASSERT_EQ(kObiOk, Parse(File({Object(5, 7, 100, 3), Object(6, 7, 200, 1)}), objects, count));
    ASSERT_EQ(2, count);
    ASSERT_EQ(2u, objects.size());

    const ObiObject& first = *objects[0];
    EXPECT_EQ(5, first.objectId);
    EXPECT_EQ(7, first.tubeId);
    EXPECT_EQ(100, first.firstFrame);
    EXPECT_EQ(102, first.lastFrame);
    EXPECT_EQ(3, first.frameCount);
    EXPECT_EQ(1, first.attr0);
    EXPECT_EQ(-7, first.attr1);
    EXPECT_EQ(352, first.frameWidth);
    EXPECT_EQ(288, first.frameHeight);
    EXPECT_EQ(0, first.state0);
    EXPECT_EQ(0, first.state1);
    for (int32_t mark :
         {first.mark0, first.mark1, first.mark2, first.mark3, first.mark4, first.mark5})
        EXPECT_EQ(-1, mark);
    ASSERT_EQ(3u, first.frames.size());
    const ObiFrame& frame = first.frames[2];
    EXPECT_EQ(102, frame.frameNumber);
    EXPECT_EQ(0, frame.state);
    EXPECT_EQ(-1, frame.mark);
    EXPECT_EQ(2, frame.x);
    EXPECT_EQ(2, frame.y);
    EXPECT_EQ(10, frame.w);
    EXPECT_EQ(22, frame.h);
    EXPECT_EQ(200, objects[1]->frames[0].frameNumber);

    FreeObjects(objects, count);
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(0, count);
}

TEST(ObjectFile, EmptyShortOrForeignInputIsRejected) {
    ObiObjectList objects;
    int32_t count = 3;
    EXPECT_EQ(kObiNullInput, ParseObjectFile(nullptr, 10, objects, count));
    const uint8_t byte = 0;
    EXPECT_EQ(kObiNullInput, ParseObjectFile(&byte, 0, objects, count));
    EXPECT_EQ(0, count);

    const auto file = File({});
    EXPECT_EQ(kObiBadData, ParseResult(std::vector<uint8_t>(file.begin(), file.begin() + 13)));
    auto tubeFile = File({Object(1, 1, 1, 1)});
    std::memcpy(tubeFile.data(), "ASTI", 4);
    EXPECT_EQ(kObiBadData, ParseResult(tubeFile));
}

TEST(ObjectFile, NoObjectsIsAnEmptyList) {
    ObiObjectList objects;
    int32_t count = 9;
    EXPECT_EQ(kObiOk, Parse(File({}), objects, count));
    EXPECT_EQ(0, count);
    Track track{TrackBox{5, 5, 5, 5, 5, 5, 5}};
    ExtractObjectTrack(objects, 1, 1, track, 0);
    ASSERT_EQ(1u, track.size());
    EXPECT_EQ(0, track[0].frame);
    EXPECT_EQ(0, track[0].refWidth);
}

TEST(ObjectFile, EveryBoxMustBeNonEmptyAndInsideTheFrame) {
    const auto withFrame = [](ObiFrameRecord frame) {
        ObiObjectRecord object = Object(1, 1, 0, 0);
        object.frames = {{0, 0, 0, 1, 1}, frame};
        return File({object});
    };
    EXPECT_EQ(kObiOk, ParseResult(withFrame({1, 342, 268, 10, 20}))); // touches both edges
    EXPECT_EQ(kObiBadData, ParseResult(withFrame({1, 343, 0, 10, 20})));
    EXPECT_EQ(kObiBadData, ParseResult(withFrame({1, 0, 269, 10, 20})));
    EXPECT_EQ(kObiBadData, ParseResult(withFrame({1, 0, 0, 0, 20})));
    EXPECT_EQ(kObiBadData, ParseResult(withFrame({1, 0, 0, 10, 0})));
    EXPECT_EQ(kObiBadData, ParseResult(withFrame({1, 0xFFFF, 0, 0xFFFF, 1})));
}

TEST(ObjectFile, TheLocationTableMustDescribeEachBlockExactly) {
    const auto good = File({Object(5, 7, 100, 2), Object(6, 7, 200, 1)});
    ASSERT_EQ(kObiOk, ParseResult(good));
    const size_t second = kLocations + kLocationSize;
    struct Change {
        size_t offset;
        int64_t delta;
        int width;
    } const changes[] = {
        {second + 8, 12, 8},                // second block said to start one frame later
        {kLocations + 8, -1, 8},            // first block said to overlap the table
        {kLocations + 16, 12, 8},           // first block's length one frame too long
        {second + 16, int64_t{1} << 32, 8}, // length right in its low half only
        {kLocations + 0, 1, 4},             // object number differs from the block's
        {second + 4, 1, 4},                 // tube differs from the block's
    };
    for (const Change& change : changes) {
        auto file = good;
        if (change.width == 8) {
            int64_t value = 0;
            std::memcpy(&value, file.data() + change.offset, 8);
            PutI64(file, change.offset, value + change.delta);
        } else {
            int32_t value = 0;
            std::memcpy(&value, file.data() + change.offset, 4);
            PutI32(file, change.offset, value + static_cast<int32_t>(change.delta));
        }
        EXPECT_EQ(kObiBadData, ParseResult(file)) << "change at " << change.offset;
    }

    // A gap between two blocks, even with the table pointing at the right place.
    auto gap = good;
    const int64_t secondOffset = 14 + 2 * 24 + 24 + 2 * 12;
    gap.insert(gap.begin() + secondOffset, 4, 0);
    PutI64(gap, second + 8, secondOffset + 4);
    EXPECT_EQ(kObiBadData, ParseResult(gap));
}

TEST(ObjectFile, CountsBeyondTheFileAreRejectedBeforeAllocating) {
    auto file = File({Object(5, 7, 100, 2)});
    for (int32_t objectCount : {2, 0x7FFFFFFF, -1, INT32_MIN}) {
        auto changed = file;
        PutI32(changed, 10, objectCount);
        EXPECT_EQ(kObiBadData, ParseResult(changed)) << objectCount;
    }
    const size_t info = kLocations + kLocationSize;
    for (int32_t frameCount : {3, 0x7FFFFFFF, -1, -2}) {
        auto changed = file;
        PutI32(changed, info + 20, frameCount);
        // The table's length agrees, so only the bytes left can tell.
        PutI64(changed, kLocations + 16, 24 + 12 * static_cast<int64_t>(frameCount));
        EXPECT_EQ(kObiBadData, ParseResult(changed)) << frameCount;
    }
    file.pop_back();
    EXPECT_EQ(kObiBadData, ParseResult(file));
}

TEST(ObjectFile, AnObjectWithoutFramesEndsBeforeItStarts) {
    ObiObjectList objects;
    int32_t count = 0;
    ASSERT_EQ(kObiOk, Parse(File({Object(5, 7, 100, 0)}), objects, count));
    EXPECT_EQ(99, objects[0]->lastFrame);
    Track track;
    ExtractObjectTrack(objects, 5, 7, track, 0);
    EXPECT_EQ(1u, track.size());
}

TEST(ObjectTrack, TakesEveryFrameOfTheObjectsWithBothIdentifiers) {
    ObiObjectList objects;
    int32_t count = 0;
    ASSERT_EQ(kObiOk, Parse(File({Object(5, 8, 10, 1), Object(5, 7, 100, 2), Object(6, 7, 20, 1),
                                  Object(5, 7, 50, 1)}),
                            objects, count));
    Track track;
    ExtractObjectTrack(objects, 5, 7, track, -40);
    ASSERT_EQ(4u, track.size());
    EXPECT_EQ(60, track[0].frame);
    EXPECT_EQ(61, track[1].frame);
    EXPECT_EQ(10, track[2].frame); // load order, not frame order
    EXPECT_EQ(352, track[1].refWidth);
    EXPECT_EQ(288, track[1].refHeight);
    EXPECT_EQ(1, track[1].x);
    EXPECT_EQ(2, track[1].y);
    EXPECT_EQ(10, track[1].w);
    EXPECT_EQ(21, track[1].h);
    const TrackBox end = track[3];
    EXPECT_EQ(0, end.frame);
    EXPECT_EQ(0, end.refWidth + end.refHeight + end.x + end.y + end.w + end.h);

    ExtractObjectTrack(objects, 7, 5, track, 0);
    EXPECT_EQ(1u, track.size());
}

TEST(ObiPackers, CopyTheirRecordWhenThereIsRoom) {
    OBIHeaderPacker header;
    EXPECT_EQ(14u, header.Size());
    EXPECT_EQ(24u, OBIObjLocationPacker().Size());
    EXPECT_EQ(24u, OBIObjInfoPacker().Size());
    EXPECT_EQ(12u, OBIObjFrmInfoPacker().Size());

    header.record.frameWidth = 0x0102;
    header.record.objectCount = -2;
    uint8_t bytes[16] = {};
    EXPECT_EQ(kObiShortBuffer, header.Pack(bytes, 13));
    EXPECT_EQ(kObiNullInput, header.Pack(nullptr, 14));
    ASSERT_EQ(kObiOk, header.Pack(bytes, sizeof(bytes)));
    const uint8_t expected[14] = {'A', 'S', 'O', 'I', 1, 0, 2, 1, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0, std::memcmp(expected, bytes, 14));

    OBIHeaderPacker copy;
    EXPECT_EQ(kObiShortBuffer, copy.Unpack(bytes, 13));
    EXPECT_EQ(kObiNullInput, copy.Unpack(nullptr, 14));
    ASSERT_EQ(kObiOk, copy.Unpack(bytes, 14));
    EXPECT_EQ(-2, copy.record.objectCount);

    PackUnit base;
    EXPECT_EQ(0u, base.Size());
    EXPECT_EQ(nullptr, base.Data());
    EXPECT_EQ(kObiNullInput, base.Pack(bytes, sizeof(bytes)));
    EXPECT_EQ(kObiOk, base.Unpack(bytes, sizeof(bytes))) << "nothing to copy";
    EXPECT_EQ(kObiNullInput, base.Unpack(nullptr, sizeof(bytes)));
}

} // namespace
