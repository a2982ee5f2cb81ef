// What the media service shows: the objects of a frame, their pictures and
// the synopsis metadata, checked against each other and against the tube
// files the analysis side wrote from the same scenes.
#include "big_endian.h"
#include "frame_renderer.h"
#include "sample_data.h"
#include "scene_frame.h"
#include "synopsis_metadata.h"
#include "tube_track.h"
#include "yuv420.h"

#include <gtest/gtest.h>

namespace {

SceneObject Object(int32_t tubeId, int32_t objectId, int x, int y, int w, int h, uint32_t color,
                   int32_t first, int32_t last, int32_t synopsisStart = -1) {
    SceneObject o;
    o.tubeId = tubeId;
    o.objectId = objectId;
    o.x0 = o.x1 = x;
    o.y0 = o.y1 = y;
    o.w = w;
    o.h = h;
    o.color = color;
    o.firstFrame = first;
    o.lastFrame = last;
    o.synopsisStart = synopsisStart;
    return o;
}

SampleVideo Video(int width, int height, std::vector<SceneObject> objects) {
    SampleVideo video;
    video.width = width;
    video.height = height;
    video.fps = 25;
    video.frameCount = 100;
    video.background = 0x204080;
    video.objects = std::move(objects);
    return video;
}

// The colour at (x, y) of an I420 picture, through the client's conversion.
uint32_t I420Pixel(const std::vector<uint8_t>& picture, int width, int height, int x, int y) {
    const size_t luma = static_cast<size_t>(width) * height;
    const size_t chromaWidth = (static_cast<size_t>(width) + 1) / 2;
    const size_t chroma = chromaWidth * ((static_cast<size_t>(height) + 1) / 2);
    const size_t c = static_cast<size_t>(y / 2) * chromaWidth + static_cast<size_t>(x / 2);
    return YuvToRgb(YuvColor{picture[static_cast<size_t>(y) * width + x], picture[luma + c],
                             picture[luma + chroma + c]});
}

uint32_t Coded(uint32_t rgb) {
    return YuvToRgb(RgbToYuv(rgb));
}

struct MetadataRecord {
    uint32_t tubeId, objectId;
    uint64_t sourceFrame, firstFrame, lastFrame, startMs, endMs;
    uint32_t length, x, y, w, h, kind, color, zero;
};

std::vector<MetadataRecord> ReadMetadata(const std::vector<uint8_t>& block, uint32_t& frame) {
    BigEndianReader r(block);
    EXPECT_EQ(kMetadataVersion, r.U32());
    const uint32_t count = r.U32();
    frame = r.U32();
    EXPECT_EQ(25u, r.U32());
    std::vector<MetadataRecord> records;
    for (uint32_t i = 0; i < count; ++i) {
        MetadataRecord m;
        m.tubeId = r.U32();
        m.objectId = r.U32();
        m.sourceFrame = r.U64();
        m.firstFrame = r.U64();
        m.lastFrame = r.U64();
        m.startMs = r.U64();
        m.endMs = r.U64();
        m.length = r.U32();
        m.x = r.U32();
        m.y = r.U32();
        m.w = r.U32();
        m.h = r.U32();
        m.kind = r.U32();
        m.color = r.U32();
        m.zero = r.U32();
        records.push_back(m);
    }
    EXPECT_TRUE(r.AtEnd());
    return records;
}

TEST(FrameObjects, FollowSourceNumbersOrSynopsisPlacement) {
    SampleVideo source = Video(100, 80, {Object(1, 1, 10, 10, 20, 20, 0xFF0000, 30, 40)});
    EXPECT_FALSE(IsSynopsis(source));
    EXPECT_TRUE(ObjectsInFrame(source, 29).empty());
    ASSERT_EQ(1u, ObjectsInFrame(source, 30).size());
    EXPECT_EQ(40, ObjectsInFrame(source, 40)[0].sourceFrame);
    EXPECT_TRUE(ObjectsInFrame(source, 41).empty());

    SampleVideo synopsis = Video(100, 80, {Object(1, 1, 10, 10, 20, 20, 0xFF0000, 30, 40, 5)});
    EXPECT_TRUE(IsSynopsis(synopsis));
    EXPECT_TRUE(ObjectsInFrame(synopsis, 4).empty());
    ASSERT_EQ(1u, ObjectsInFrame(synopsis, 5).size());
    EXPECT_EQ(30, ObjectsInFrame(synopsis, 5)[0].sourceFrame);
    EXPECT_EQ(40, ObjectsInFrame(synopsis, 15)[0].sourceFrame);
    EXPECT_TRUE(ObjectsInFrame(synopsis, 16).empty());
    EXPECT_TRUE(ObjectsInFrame(synopsis, -1).empty());
    EXPECT_TRUE(ObjectsInFrame(synopsis, 100).empty());
}

TEST(FrameObjects, AreClippedToThePictureOrLeftOut) {
    SampleVideo video = Video(100, 80,
                              {Object(1, 1, -5, 70, 20, 20, 0xFF0000, 0, 10),
                               Object(1, 2, 100, 10, 20, 20, 0x00FF00, 0, 10)});
    const auto shown = ObjectsInFrame(video, 0);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(0, shown[0].box.x);
    EXPECT_EQ(70, shown[0].box.y);
    EXPECT_EQ(15, shown[0].box.w);
    EXPECT_EQ(10, shown[0].box.h);
}

TEST(RenderedFrames, ShowObjectsWithRimsOverTheBackground) {
    SampleVideo video = Video(64, 48,
                              {Object(1, 1, 10, 10, 20, 20, 0xE04040, 0, 10),
                               Object(1, 2, 20, 20, 20, 20, 0x40C0E0, 0, 10)});
    const auto picture = RenderFrame(video, 0);
    ASSERT_EQ(I420Bytes(64, 48), picture.size());
    EXPECT_EQ(Coded(0x204080), I420Pixel(picture, 64, 48, 2, 2));
    // The rim is three fifths of the object's colour: 0xE0 * 3 / 5 = 0x86, 0x40 * 3 / 5 = 0x26.
    EXPECT_EQ(Coded(0x862626), I420Pixel(picture, 64, 48, 10, 14));
    EXPECT_EQ(Coded(0xE04040), I420Pixel(picture, 64, 48, 14, 14));
    // Where the two overlap, the first object is in front.
    EXPECT_EQ(Coded(0xE04040), I420Pixel(picture, 64, 48, 24, 24));
    EXPECT_EQ(Coded(0x40C0E0), I420Pixel(picture, 64, 48, 34, 34));
    // Frame 11 has no objects left.
    EXPECT_EQ(Coded(0x204080), I420Pixel(RenderFrame(video, 11), 64, 48, 14, 14));
}

TEST(RenderedFrames, ThirtyTwoBitPicturesAreBottomUp) {
    SampleVideo video = Video(8, 6, {Object(1, 1, 0, 0, 6, 5, 0x112233, 0, 10)});
    video.pictures = PictureFormat::kBgra32;
    const auto picture = RenderFrame(video, 0);
    ASSERT_EQ(8u * 6 * 4, picture.size());
    const auto at = [&](int x, int y) { // y counted from the top
        const size_t i = (static_cast<size_t>(5 - y) * 8 + x) * 4;
        return std::vector<uint8_t>(picture.begin() + i, picture.begin() + i + 4);
    };
    EXPECT_EQ((std::vector<uint8_t>{0x33, 0x22, 0x11, 0xFF}), at(2, 2));
    // The rim, three fifths of 0x112233, is 0x0A141E.
    EXPECT_EQ((std::vector<uint8_t>{0x1E, 0x14, 0x0A, 0xFF}), at(0, 0));
    EXPECT_EQ((std::vector<uint8_t>{0x80, 0x40, 0x20, 0xFF}), at(7, 5));
}

TEST(SynopsisMetadataBlock, DescribesEveryDrawnObjectFrontFirst) {
    SampleVideo video = Video(100, 80,
                              {Object(3, 2, 10, 12, 20, 30, 0xE04040, 50, 149, 4),
                               Object(1, 1, 15, 20, 40, 10, 0x40C0E0, 1000, 1099, 0)});
    video.frameCount = 200;
    uint32_t frame = 0;
    const auto records = ReadMetadata(SynopsisMetadata(video, 9), frame);
    EXPECT_EQ(9u, frame);
    ASSERT_EQ(2u, records.size());
    const MetadataRecord& m = records[0];
    EXPECT_EQ(3u, m.tubeId);
    EXPECT_EQ(2u, m.objectId);
    EXPECT_EQ(55u, m.sourceFrame);
    EXPECT_EQ(50u, m.firstFrame);
    EXPECT_EQ(149u, m.lastFrame);
    EXPECT_EQ(2000u, m.startMs);
    EXPECT_EQ(6000u, m.endMs);
    EXPECT_EQ(100u, m.length);
    EXPECT_EQ(10u, m.x);
    EXPECT_EQ(12u, m.y);
    EXPECT_EQ(20u, m.w);
    EXPECT_EQ(30u, m.h);
    EXPECT_EQ(1u, m.kind);
    EXPECT_EQ(0xE04040u, m.color);
    EXPECT_EQ(0u, m.zero);
    EXPECT_EQ(1009u, records[1].sourceFrame);
    EXPECT_EQ(2u, records[1].kind);

    // A frame without objects still carries a block, with no records.
    const auto empty = SynopsisMetadata(video, 150);
    EXPECT_EQ(kMetadataHeaderSize, empty.size());
    EXPECT_TRUE(ReadMetadata(empty, frame).empty());
}

// The synopsis boxes, halved, are the boxes the task's tube file holds for the
// same source frame: the overlay and the track agree by construction.
TEST(SynopsisMetadataBlock, AgreesWithTheTubeFileOfTheTask) {
    const SampleData data = MakeSampleData();
    const SampleTask* task = data.catalog.FindTask(12);
    ASSERT_NE(nullptr, task);
    const auto fileOf = [&](const std::string& serverPath) -> const std::vector<uint8_t>& {
        for (const GeneratedFile& file : data.files)
            if (file.relative == RelativeOfServerPath(serverPath))
                return file.bytes;
        static const std::vector<uint8_t> none;
        ADD_FAILURE() << serverPath;
        return none;
    };
    const auto& synopsisBytes = fileOf(task->synopsisPath);
    std::string error;
    const auto synopsis =
        ReadSampleVideo(std::string(synopsisBytes.begin(), synopsisBytes.end()), error);
    ASSERT_TRUE(synopsis) << error;
    const auto& tube = fileOf(task->tubePath);

    size_t checked = 0;
    for (int32_t index = 0; index < synopsis->frameCount; index += 37) {
        uint32_t frame = 0;
        for (const MetadataRecord& m : ReadMetadata(SynopsisMetadata(*synopsis, index), frame)) {
            Track track;
            ASSERT_EQ(1, ExtractTubeTrack(tube, static_cast<int32_t>(m.objectId),
                                          static_cast<int32_t>(m.tubeId), track, 0));
            const auto box = std::find_if(track.begin(), track.end(), [&](const TrackBox& b) {
                return b.frame == static_cast<int32_t>(m.sourceFrame);
            });
            ASSERT_NE(track.end(), box) << "source frame " << m.sourceFrame;
            EXPECT_EQ(m.x / 2, box->x);
            EXPECT_EQ(m.y / 2, box->y);
            EXPECT_EQ(m.w / 2, box->w);
            EXPECT_EQ(m.h / 2, box->h);
            EXPECT_EQ(704u / 2, box->refWidth);
            ++checked;
        }
    }
    EXPECT_GT(checked, 20u);
}

} // namespace
