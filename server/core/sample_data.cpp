#include "sample_data.h"

#include "snapshot_page.h"

#include "sample_video.h"
#include "synopsis_writers.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace {

// A small deterministic generator so the sample data never changes.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : m_state(seed) {}
    int Range(int lo, int hi) { // inclusive
        m_state = m_state * 1664525u + 1013904223u;
        return lo + static_cast<int>((m_state >> 8) % static_cast<uint32_t>(hi - lo + 1));
    }

private:
    uint32_t m_state;
};

constexpr int kWidth = 704;
constexpr int kHeight = 576;
constexpr int kFps = 25;
// The analysis runs on frames of half the video's size; tube and object
// files give their boxes in that space.
constexpr int kAnalysisScale = 2;

struct TaskPlan {
    int32_t flowNumber;
    const char* name;
    int32_t sourceFrames;
    int objectCount;
    uint32_t background;
};

std::vector<SceneObject> MakeObjects(const TaskPlan& plan) {
    Lcg random(static_cast<uint32_t>(plan.flowNumber) * 7919u + 17u);
    static const uint32_t kColors[] = {0xE04040, 0x40C0E0, 0xE0C040, 0xC060E0, 0x60E060, 0xF0F0F0};
    std::vector<SceneObject> objects;
    for (int i = 0; i < plan.objectCount; ++i) {
        SceneObject o;
        o.tubeId = 1 + i / 2; // two objects per tube
        o.objectId = 1 + i % 2;
        const int span = random.Range(4 * kFps, 12 * kFps);
        o.firstFrame = random.Range(kFps, plan.sourceFrames - span - 1);
        o.lastFrame = o.firstFrame + span - 1;
        const bool person = i % 3 != 2;
        o.w = person ? random.Range(40, 60) : random.Range(110, 150);
        o.h = person ? random.Range(100, 140) : random.Range(60, 80);
        o.x0 = random.Range(0, kWidth - o.w);
        o.y0 = random.Range(0, kHeight - o.h);
        o.x1 = random.Range(0, kWidth - o.w);
        o.y1 = random.Range(0, kHeight - o.h);
        o.color = kColors[i % std::size(kColors)];
        objects.push_back(o);
    }
    return objects;
}

// Task 45 watches a gate through an hour of video; its objects come late,
// past source frame 65535, where frame numbers no longer fit in 16 bits. The
// first stands still through the whole synopsis (a sure target for a click),
// the second walks beside it.
constexpr int32_t kLateTask = 45;
std::vector<SceneObject> LateObjects() {
    SceneObject parked;
    parked.tubeId = 1;
    parked.objectId = 1;
    parked.firstFrame = 70000;
    parked.lastFrame = 70749;
    parked.x0 = parked.x1 = 400;
    parked.y0 = parked.y1 = 300;
    parked.w = 120;
    parked.h = 90;
    parked.color = 0xE0C040;
    SceneObject walker;
    walker.tubeId = 2;
    walker.objectId = 1;
    walker.firstFrame = 66000;
    walker.lastFrame = 66499;
    walker.x0 = 50;
    walker.y0 = 80;
    walker.x1 = 300;
    walker.y1 = 120;
    walker.w = 50;
    walker.h = 120;
    walker.color = 0x40C0E0;
    return {parked, walker};
}

TubeItem TubeItemOf(const SceneObject& o, int32_t frame) {
    const Box box = o.BoxAt(frame);
    return TubeItem{static_cast<uint16_t>(o.objectId),
                    static_cast<uint16_t>(box.x / kAnalysisScale),
                    static_cast<uint16_t>(box.y / kAnalysisScale),
                    static_cast<uint16_t>(box.w / kAnalysisScale),
                    static_cast<uint16_t>(box.h / kAnalysisScale)};
}

std::vector<uint8_t> MakeTubeFile(const std::vector<SceneObject>& objects) {
    TubeFileContent content;
    content.frameWidth = kWidth / kAnalysisScale;
    content.frameHeight = kHeight / kAnalysisScale;
    std::map<int32_t, std::vector<const SceneObject*>> tubes;
    for (const SceneObject& o : objects)
        tubes[o.tubeId].push_back(&o);
    for (const auto& [tubeId, members] : tubes) {
        TubeBlock block;
        block.tubeId = tubeId;
        block.indexTubeId = tubeId;
        int32_t first = members.front()->firstFrame, last = members.front()->lastFrame;
        for (const SceneObject* o : members) {
            first = std::min(first, o->firstFrame);
            last = std::max(last, o->lastFrame);
        }
        for (int32_t frame = first; frame <= last; ++frame) {
            TubeFrame record;
            record.frameNumber = frame;
            for (const SceneObject* o : members)
                if (o->PresentAt(frame))
                    record.items.push_back(TubeItemOf(*o, frame));
            block.frames.push_back(record);
        }
        content.tubes.push_back(block);
    }
    return WriteTubeFile(content);
}

std::vector<uint8_t> MakeObjectFile(const std::vector<SceneObject>& objects) {
    ObjectFileContent content;
    content.frameWidth = kWidth / kAnalysisScale;
    content.frameHeight = kHeight / kAnalysisScale;
    for (const SceneObject& o : objects) {
        ObiObjectRecord record;
        record.objectId = o.objectId;
        record.tubeId = o.tubeId;
        record.attr0 = o.Kind();
        record.firstFrame = o.firstFrame;
        for (int32_t frame = o.firstFrame; frame <= o.lastFrame; ++frame) {
            const TubeItem item = TubeItemOf(o, frame);
            record.frames.push_back(ObiFrameRecord{frame, item.x, item.y, item.w, item.h});
        }
        content.objects.push_back(record);
    }
    return WriteObjectFile(content);
}

// The synopsis shows every object from a staggered start, so objects from
// different moments of the source appear together.
SampleVideo MakeSynopsis(const std::vector<SceneObject>& objects, uint32_t background) {
    SampleVideo synopsis;
    synopsis.width = kWidth;
    synopsis.height = kHeight;
    synopsis.fps = kFps;
    synopsis.background = background;
    int32_t length = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        SceneObject o = objects[i];
        o.synopsisStart = static_cast<int32_t>(i) * kFps;
        length = std::max(length, o.synopsisStart + (o.lastFrame - o.firstFrame + 1));
        synopsis.objects.push_back(o);
    }
    synopsis.frameCount = length;
    return synopsis;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// The whole picture of a video when its first object is halfway through its
// track.
GeneratedFile SnapshotOf(const std::string& videoRelative, const SampleVideo& video) {
    const SceneObject& o = video.objects.front();
    SnapshotPicture whole;
    whole.shownFrame = (o.firstFrame + o.lastFrame) / 2;
    whole.box = Box{0, 0, video.width, video.height};
    const std::string jpeg = SnapshotJpeg(video, whole);
    return {SnapshotRelativeOf(videoRelative), std::vector<uint8_t>(jpeg.begin(), jpeg.end())};
}

// Every key of the task-detail reply. Task 7 has a region of interest and a
// tripwire and looks for red objects; task 31 looks for people by the colours
// of their upper and lower body; task 12 has neither shape nor colour.
std::vector<std::pair<std::string, std::string>> TaskParamsOf(const TaskPlan& plan) {
    const bool shapes = plan.flowNumber == 7;
    const bool person = plan.flowNumber == 31;
    return {{"type", "1"},
            {"sensitivity", "0"},
            {"UDR_exist", shapes ? "1" : "0"},
            {"UDR_setting",
             shapes ? "<udr><attr>1</attr><polynum>1</polynum><polyinfo><vertnum>4</vertnum>"
                      "<vertinfo><x>0.100000</x><y>0.200000</y><x>0.800000</x><y>0.150000</y>"
                      "<x>0.900000</x><y>0.850000</y><x>0.150000</x><y>0.900000</y></vertinfo>"
                      "</polyinfo></udr>"
                    : ""},
            {"tripwire_crossdir", shapes ? "1" : "-2"},
            {"tripwire_x1", shapes ? "0.200000" : "0"},
            {"tripwire_y1", shapes ? "0.600000" : "0"},
            {"tripwire_x2", shapes ? "0.750000" : "0"},
            {"tripwire_y2", shapes ? "0.500000" : "0"},
            {"task_priority", shapes ? "64" : "0"},
            {"thickness", shapes ? "5" : "0"},
            {"summary_height", std::to_string(kHeight)},
            {"summary_width", std::to_string(kWidth)},
            {"obj_type", person ? "1" : "3"},
            // Colours are the number 0xRRGGBB written in decimal.
            {"retrieve_avgcolor", shapes ? std::to_string(0xE04040) : "0"},
            {"enable_avgcolor", shapes ? "1" : "0"},
            {"retrieve_uppercolor", person ? std::to_string(0x40C0E0) : "0"},
            {"enable_uppercolor", person ? "1" : "0"},
            {"retrieve_lowercolor", person ? std::to_string(0x204080) : "0"},
            {"enable_lowercolor", person ? "1" : "0"},
            {"enable_search_by_image", "0"},
            {"snap_type", "1"},
            {"drop_frm_rate", "0"}};
}

} // namespace

SampleData MakeSampleData() {
    static const TaskPlan kPlans[] = {
        {7, "parking-lot-north", 1500, 4, 0x505050},
        {12, "gate-east-cam01", 3000, 6, 0x406040},
        {31, "lobby-cam03", 2250, 5, 0x604830},
        {kLateTask, "night-gate-cam02", 90000, 2, 0x303848},
    };
    SampleData data;
    for (const TaskPlan& plan : kPlans) {
        const std::string id = std::to_string(plan.flowNumber);
        const std::vector<SceneObject> objects =
            plan.flowNumber == kLateTask ? LateObjects() : MakeObjects(plan);

        SampleVideo source;
        source.width = kWidth;
        source.height = kHeight;
        source.fps = kFps;
        source.frameCount = plan.sourceFrames;
        source.background = plan.background;
        source.objects = objects;

        SampleTask task;
        task.flowNumber = plan.flowNumber;
        task.name = plan.name;
        const std::string sourceRel = "video/" + id + "/cam01.mp4";
        const std::string synopsisRel = "summary/" + id + "/summary.mp4";
        const std::string tubeRel = "tube/" + id + "/" + id + ".tbi";
        const std::string objectRel = "tube/" + id + "/" + id + ".obi";
        task.sourcePath = ServerPathOf(sourceRel);
        task.synopsisPath = ServerPathOf(synopsisRel);
        task.tubePath = ServerPathOf(tubeRel);
        task.params = TaskParamsOf(plan);
        data.catalog.tasks.push_back(task);

        data.files.push_back({sourceRel, Bytes(WriteSampleVideo(source))});
        data.files.push_back(
            {synopsisRel, Bytes(WriteSampleVideo(MakeSynopsis(objects, plan.background)))});
        data.files.push_back({tubeRel, MakeTubeFile(objects)});
        data.files.push_back({objectRel, MakeObjectFile(objects)});
        data.files.push_back(SnapshotOf(sourceRel, source));

        if (plan.flowNumber == 12) {
            // Uploaded video 3 is the same camera's footage after transcoding.
            const std::string uploadRel = "upload/3/cam01_transcoded.mp4";
            data.catalog.uploads.push_back(UploadedVideo{3, ServerPathOf(uploadRel)});
            data.files.push_back({uploadRel, Bytes(WriteSampleVideo(source))});
            data.files.push_back(SnapshotOf(uploadRel, source));
        }
    }
    return data;
}

std::filesystem::path FilesRoot(const std::filesystem::path& dataDir) {
    return dataDir / kServerDataFolderName;
}

bool WriteSampleData(const SampleData& data, const std::filesystem::path& dataDir,
                     std::string& error) {
    std::error_code ec;
    const auto writeFile = [&](const std::filesystem::path& path, const void* bytes, size_t size) {
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
        if (!out) {
            error = "cannot write " + path.string();
            return false;
        }
        return true;
    };
    for (const GeneratedFile& file : data.files)
        if (!writeFile(FilesRoot(dataDir) / file.relative, file.bytes.data(), file.bytes.size()))
            return false;
    const std::string catalog = WriteCatalog(data.catalog);
    return writeFile(dataDir / kCatalogFileName, catalog.data(), catalog.size());
}
