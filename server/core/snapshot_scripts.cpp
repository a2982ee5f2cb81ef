#include "snapshot_scripts.h"

#include "replies.h"
#include "sample_video.h"
#include "snapshot_page.h"

#include <fstream>

namespace {

ScriptReply Html(int status, std::string body) {
    return ScriptReply{status, "text/html; charset=utf-8", std::move(body)};
}

struct PageSource {
    SampleTask task;         // the task whose page it is
    int32_t pictureFlow = 0; // the task whose pictures it shows
    int objType = 0;         // 0 every object, else only people (1) or cars (2)
};

std::optional<PageSource> FindPageSource(const ServerState& state, int32_t flow) {
    if (const SampleTask* task = state.catalog.FindTask(flow))
        return PageSource{*task, flow, 0};
    if (const auto submitted = state.searchTasks.Find(flow))
        return PageSource{submitted->task, submitted->sourceFlow, submitted->objType};
    return std::nullopt;
}

// Writes the pictures that are not there yet (they are made on first use).
bool EnsurePictures(ServerState& state, const SampleVideo& video,
                    const std::vector<SnapshotPicture>& pictures) {
    std::lock_guard<std::mutex> hold(state.writeLock);
    for (const SnapshotPicture& picture : pictures) {
        const std::filesystem::path file = state.filesRoot / picture.relative;
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec))
            continue;
        const std::string jpeg = SnapshotJpeg(video, picture);
        std::filesystem::create_directories(file.parent_path(), ec);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << jpeg;
        if (jpeg.empty() || !out)
            return false;
    }
    return true;
}

ScriptReply SnapshotPageScript(ServerState& state, const ScriptRequest& request) {
    const int32_t flow = PhpIntval(request.Param("id"));
    const bool objectClass = request.Param("class") == "obj";
    const auto source = FindPageSource(state, flow);
    if (!source)
        return Html(404, UnknownTaskPageHtml(flow));
    const auto text =
        ReadWholeFile(state.filesRoot / RelativeOfServerPath(source->task.sourcePath));
    std::string error;
    auto video = text ? ReadSampleVideo(*text, error) : std::nullopt;
    if (!video)
        return ScriptReply{500, "text/plain", "cannot read the task's source video"};
    if (source->objType != 0) {
        std::vector<SceneObject> matching;
        for (const SceneObject& o : video->objects)
            if (o.Kind() == source->objType)
                matching.push_back(o);
        video->objects = matching;
    }
    const auto pictures = SnapshotPictures(source->pictureFlow, *video, objectClass);
    if (!EnsurePictures(state, *video, pictures))
        return ScriptReply{500, "text/plain", "cannot write the snapshot pictures"};
    const std::string title = "任务 " + std::to_string(flow) + " " + source->task.name +
                              (objectClass ? " 目标快照" : " 轨迹快照");
    return Html(200, SnapshotPageHtml(flow, title, objectClass, video->fps, pictures));
}

const SampleTask* TaskOfSource(const ServerState& state, const std::string& sourcePath) {
    for (const SampleTask& task : state.catalog.tasks)
        if (task.sourcePath == sourcePath)
            return &task;
    return nullptr;
}

ScriptReply SubmitTaskScript(ServerState& state, const ScriptRequest& request) {
    std::string error;
    const auto submission = ReadSearchSubmission(request.body, error);
    if (!submission)
        return ScriptReply{200, "text/xml", SubmitTaskErrorReply(error)};
    const SampleTask* source = TaskOfSource(state, submission->sourcePath);
    if (source == nullptr)
        return ScriptReply{200, "text/xml", SubmitTaskErrorReply("unknown source video")};
    const int32_t flow = state.searchTasks.Add(*source, submission->objType);

    // The target picture and mask, as the analysis would take them.
    std::lock_guard<std::mutex> hold(state.writeLock);
    const std::filesystem::path folder = state.filesRoot / "search" / std::to_string(flow);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::ofstream(folder / "obj.jpg", std::ios::binary) << submission->picture;
    std::ofstream(folder / "mask.bin", std::ios::binary) << submission->mask;
    return ScriptReply{200, "text/xml", SubmitTaskReply(flow)};
}

} // namespace

void AddSnapshotScripts(std::map<std::string, Script>& table) {
    table["snapshot1pagedb.php"] = SnapshotPageScript;
    table["submittask.php"] = SubmitTaskScript;
}
