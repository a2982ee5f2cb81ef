// Writers of the per-task tube (.tbi) and object (.obi) files, used by the
// sample-data generator and by tests to build files of known content.
#pragma once

#include <cstdint>
#include <vector>

struct TubeItem {
    uint16_t objectId = 0;
    uint16_t x = 0, y = 0, w = 0, h = 0;
};

struct TubeFrame {
    int32_t frameNumber = 0;
    std::vector<TubeItem> items;
};

struct TubeBlock {
    int32_t tubeId = 0;
    int32_t indexTubeId = 0; // the index's own copy; readers match on tubeId
    int32_t reserved[3] = {0, 0, 0};
    std::vector<TubeFrame> frames;
};

struct TubeFileContent {
    uint16_t version = 1;
    uint16_t frameWidth = 0;
    uint16_t frameHeight = 0;
    std::vector<TubeBlock> tubes;
};

// Header, index, then the blocks back to back in index order.
std::vector<uint8_t> WriteTubeFile(const TubeFileContent& content);

struct ObiFrameRecord {
    int32_t frameNumber = 0;
    uint16_t x = 0, y = 0, w = 0, h = 0;
};

struct ObiObjectRecord {
    int32_t objectId = 0;
    int32_t tubeId = 0;
    int32_t attr0 = 0;
    int32_t attr1 = 0;
    int32_t firstFrame = 0;
    std::vector<ObiFrameRecord> frames;
};

struct ObjectFileContent {
    uint16_t version = 1;
    uint16_t frameWidth = 0;
    uint16_t frameHeight = 0;
    std::vector<ObiObjectRecord> objects;
};

// Header, location table, then the object blocks back to back in table order.
std::vector<uint8_t> WriteObjectFile(const ObjectFileContent& content);
