// The sample server's tube and object files, read back with the readers: every
// task's files lie where its Server.php reply points, and hold exactly the
// objects of its videos, boxes in the half-size analysis space.
#include "object_file.h"
#include "replies.h"
#include "sample_data.h"
#include "sample_video.h"
#include "server_requests.h"
#include "tube_track.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

constexpr int kScale = 2; // analysis frames are half the video's size

const std::vector<uint8_t>* FileAt(const SampleData& data, const std::string& relative) {
    for (const GeneratedFile& file : data.files)
        if (file.relative == relative)
            return &file.bytes;
    return nullptr;
}

SampleVideo VideoAt(const SampleData& data, const std::string& serverPath) {
    const auto* bytes = FileAt(data, RelativeOfServerPath(serverPath));
    EXPECT_NE(nullptr, bytes) << serverPath;
    if (bytes == nullptr)
        return SampleVideo{};
    std::string error;
    auto video = ReadSampleVideo(std::string(bytes->begin(), bytes->end()), error);
    EXPECT_TRUE(video) << error;
    return video.value_or(SampleVideo{});
}

// The file a client downloads for the task, found the way the client finds it.
const std::vector<uint8_t>* DownloadedFile(const SampleData& data, int32_t flowNumber,
                                           SynopsisFileKind kind) {
    const std::string reply = TubeInfoReply(data.catalog, std::to_string(flowNumber));
    std::wstring url;
    if (!ReadTubeInfoReply(std::wstring(reply.begin(), reply.end()), L"server", kind, url))
        return nullptr;
    const std::wstring prefix = L"http://server/";
    EXPECT_EQ(0u, url.find(prefix)) << std::string(url.begin(), url.end());
    const std::wstring relative = url.substr(prefix.size());
    return FileAt(data, std::string(relative.begin(), relative.end()));
}

// What both files must say about one object: a box in every frame of its span.
Track ExpectedTrack(const SceneObject& o) {
    Track track;
    for (int32_t frame = o.firstFrame; frame <= o.lastFrame; ++frame) {
        const Box box = o.BoxAt(frame);
        track.push_back(
            TrackBox{frame, 704 / kScale, 576 / kScale, static_cast<uint16_t>(box.x / kScale),
                     static_cast<uint16_t>(box.y / kScale), static_cast<uint16_t>(box.w / kScale),
                     static_cast<uint16_t>(box.h / kScale)});
    }
    return track;
}

void ExpectSameBoxes(const Track& expected, const Track& actual, const char* what) {
    ASSERT_EQ(expected.size() + 1, actual.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(expected[i] == actual[i]) << what << " record " << i;
}

TEST(SampleDataFiles, EveryTasksFilesHoldTheObjectsOfItsVideos) {
    const SampleData data = MakeSampleData();
    ASSERT_EQ(4u, data.catalog.tasks.size());
    for (const SampleTask& task : data.catalog.tasks) {
        SCOPED_TRACE("task " + std::to_string(task.flowNumber));
        const auto* tubeFile = DownloadedFile(data, task.flowNumber, SynopsisFileKind::Tube);
        const auto* objectFile = DownloadedFile(data, task.flowNumber, SynopsisFileKind::Object);
        ASSERT_NE(nullptr, tubeFile);
        ASSERT_NE(nullptr, objectFile);

        ObiObjectList objects;
        int32_t count = 0;
        ASSERT_EQ(kObiOk, ParseObjectFile(objectFile->data(), objectFile->size(), objects, count));

        const SampleVideo source = VideoAt(data, task.sourcePath);
        ASSERT_FALSE(source.objects.empty());
        ASSERT_EQ(source.objects.size(), objects.size());
        for (size_t i = 0; i < objects.size(); ++i) {
            const SceneObject& o = source.objects[i];
            EXPECT_EQ(o.objectId, objects[i]->objectId);
            EXPECT_EQ(o.tubeId, objects[i]->tubeId);
            EXPECT_EQ(o.firstFrame, objects[i]->firstFrame);
            EXPECT_EQ(o.lastFrame, objects[i]->lastFrame);

            const Track expected = ExpectedTrack(o);
            Track track;
            ASSERT_EQ(1, ExtractTubeTrack(*tubeFile, o.objectId, o.tubeId, track, 0));
            ExpectSameBoxes(expected, track, "tube file");
            ExtractObjectTrack(objects, o.objectId, o.tubeId, track, 0);
            ExpectSameBoxes(expected, track, "object file");
        }

        // The synopsis shows the same objects, so what a viewer picks there
        // can be followed in the files.
        std::set<std::pair<int32_t, int32_t>> inFiles, inSynopsis;
        for (const auto& object : objects)
            inFiles.insert({object->tubeId, object->objectId});
        for (const SceneObject& o : VideoAt(data, task.synopsisPath).objects)
            inSynopsis.insert({o.tubeId, o.objectId});
        EXPECT_EQ(inFiles, inSynopsis);
        EXPECT_EQ(inFiles.size(), objects.size()) << "an object key appears twice";
    }
}

TEST(SampleDataFiles, UnknownTasksHaveNoFiles) {
    const SampleData data = MakeSampleData();
    EXPECT_EQ(nullptr, DownloadedFile(data, 99, SynopsisFileKind::Tube));
}

} // namespace
