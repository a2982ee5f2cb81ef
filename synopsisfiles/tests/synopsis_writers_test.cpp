#include "synopsis_writers.h"

#include <gtest/gtest.h>

namespace {

TEST(WriteTubeFile, LaysOutHeaderIndexAndBlocksByteForByte) {
    TubeFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    TubeBlock block;
    block.tubeId = 7;
    block.indexTubeId = 7;
    block.frames = {{100, {{0x1234, 1, 2, 3, 4}}}, {101, {}}};
    content.tubes.push_back(block);

    const std::vector<uint8_t> expected = {
        'A', 'S', 'T', 'I', 1,  0, 0x60, 1,    0x20, 1, 1, 0, 0,  0, // header
        7,   0,   0,   0,   34, 0, 0,    0,    0,    0, 0, 0, 42, 0, 0, 0,
        0,   0,   0,   0, // index: offset 34, length 42
        7,   0,   0,   0,   0,  0, 0,    0,    0,    0, 0, 0, 0,  0, 0, 0,
        2,   0,   0,   0,                                                  // block header
        100, 0,   0,   0,   1,  0, 0x34, 0x12, 1,    0, 2, 0, 3,  0, 4, 0, // frame 100, one item
        101, 0,   0,   0,   0,  0};                                        // frame 101, no items
    EXPECT_EQ(expected, WriteTubeFile(content));
}

TEST(WriteObjectFile, LaysOutHeaderLocationsAndBlocksByteForByte) {
    ObjectFileContent content;
    content.frameWidth = 10;
    content.frameHeight = 20;
    ObiObjectRecord object;
    object.objectId = 5;
    object.tubeId = 7;
    object.attr0 = 9;
    object.firstFrame = 50;
    object.frames = {{50, 1, 2, 3, 4}};
    content.objects.push_back(object);

    const std::vector<uint8_t> expected = {
        'A', 'S', 'O', 'I', 1, 0, 10, 0, 20, 0, 1, 0, 0, 0, // header
        5,   0,   0,   0,   7, 0, 0,  0, 38, 0, 0, 0, 0, 0,
        0,   0,   36,  0,   0, 0, 0,  0, 0,  0, // location
        5,   0,   0,   0,   7, 0, 0,  0, 9,  0, 0, 0, 0, 0,
        0,   0,   50,  0,   0, 0, 1,  0, 0,  0,        // info
        50,  0,   0,   0,   1, 0, 2,  0, 3,  0, 4, 0}; // frame
    EXPECT_EQ(expected, WriteObjectFile(content));
}

} // namespace
