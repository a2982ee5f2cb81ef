#include "catalog.h"
#include "sample_data.h"
#include "sample_video.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

const GeneratedFile* FileOf(const SampleData& data, const std::string& serverPath) {
    const std::string relative = RelativeOfServerPath(serverPath);
    for (const GeneratedFile& file : data.files)
        if (file.relative == relative)
            return &file;
    return nullptr;
}

SampleVideo VideoOf(const GeneratedFile& file) {
    std::string error;
    auto video = ReadSampleVideo(std::string(file.bytes.begin(), file.bytes.end()), error);
    EXPECT_TRUE(video) << error;
    return video.value_or(SampleVideo{});
}

TEST(SampleData, EveryPathTheCatalogueNamesIsGenerated) {
    const SampleData data = MakeSampleData();
    ASSERT_NE(nullptr, data.catalog.FindTask(12));
    ASSERT_NE(nullptr, data.catalog.FindUpload(3));
    for (const SampleTask& task : data.catalog.tasks) {
        for (const std::string& path : {task.synopsisPath, task.sourcePath, task.tubePath}) {
            EXPECT_NE(std::string::npos, path.find("AstRP_1v2\\")) << path;
            EXPECT_NE(nullptr, FileOf(data, path)) << path;
        }
        std::string objectPath = task.tubePath;
        objectPath.replace(objectPath.size() - 3, 3, "obi");
        EXPECT_NE(nullptr, FileOf(data, objectPath)) << objectPath;
    }
    EXPECT_NE(nullptr, FileOf(data, data.catalog.FindUpload(3)->transcodedPath));
}

TEST(SampleData, ObjectsStayInsideTheirVideos) {
    const SampleData data = MakeSampleData();
    for (const SampleTask& task : data.catalog.tasks) {
        const SampleVideo source = VideoOf(*FileOf(data, task.sourcePath));
        const SampleVideo synopsis = VideoOf(*FileOf(data, task.synopsisPath));
        ASSERT_FALSE(source.objects.empty());
        EXPECT_EQ(source.objects.size(), synopsis.objects.size());
        for (const SceneObject& o : source.objects) {
            EXPECT_GE(o.firstFrame, source.firstFrame);
            EXPECT_LT(o.lastFrame, source.firstFrame + source.frameCount);
            for (int32_t f : {o.firstFrame, (o.firstFrame + o.lastFrame) / 2, o.lastFrame}) {
                const Box b = o.BoxAt(f);
                EXPECT_GE(b.x, 0);
                EXPECT_GE(b.y, 0);
                EXPECT_LE(b.x + b.w, source.width);
                EXPECT_LE(b.y + b.h, source.height);
            }
        }
        for (const SceneObject& o : synopsis.objects) {
            EXPECT_GE(o.synopsisStart, 0);
            EXPECT_LE(o.synopsisStart + (o.lastFrame - o.firstFrame + 1), synopsis.frameCount);
        }
    }
}

TEST(SampleData, TubeFileListsEveryTubeOfTheTask) {
    const SampleData data = MakeSampleData();
    const SampleTask& task = *data.catalog.FindTask(12);
    const GeneratedFile& tube = *FileOf(data, task.tubePath);
    ASSERT_GE(tube.bytes.size(), 14u);
    EXPECT_EQ(0, std::memcmp(tube.bytes.data(), "ASTI", 4));
    std::map<int32_t, int> tubes;
    for (const SceneObject& o : VideoOf(*FileOf(data, task.sourcePath)).objects)
        ++tubes[o.tubeId];
    int32_t tubeCount = 0;
    std::memcpy(&tubeCount, tube.bytes.data() + 10, 4);
    EXPECT_EQ(static_cast<int32_t>(tubes.size()), tubeCount);
}

TEST(SampleVideo, FragmentsAreCutInWholeSecondsAndClamped) {
    SampleVideo video;
    video.fps = 25;
    video.firstFrame = 0;
    video.frameCount = 1000;
    auto piece = CutFragment(video, 2, 10);
    ASSERT_TRUE(piece);
    EXPECT_EQ(50, piece->firstFrame);
    EXPECT_EQ(250, piece->frameCount);
    piece = CutFragment(video, 38, 10);
    ASSERT_TRUE(piece);
    EXPECT_EQ(50, piece->frameCount);
    EXPECT_FALSE(CutFragment(video, 40, 1));
}

TEST(SampleVideo, ReaderRejectsDamage) {
    std::string error;
    EXPECT_FALSE(ReadSampleVideo("", error));
    EXPECT_FALSE(ReadSampleVideo("SAMPLEVIDEO 1\nsize 0 10\n", error));
    EXPECT_FALSE(ReadSampleVideo("SAMPLEVIDEO 1\nobject 1 2 30 10 0 0 0 0 1 1 0 -1\n", error));
    EXPECT_FALSE(ReadSampleVideo("SAMPLEVIDEO 1\nwhat 1\n", error));
    EXPECT_TRUE(ReadSampleVideo(WriteSampleVideo(SampleVideo{}), error)) << error;
}

} // namespace
