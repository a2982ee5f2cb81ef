#include "scripts.h"

#include "replies.h"
#include "sample_video.h"
#include "snapshot_scripts.h"

#include <fstream>
#include <sstream>

std::string ScriptRequest::Param(const std::string& key) const {
    const auto found = params.find(key);
    return found == params.end() ? std::string() : found->second;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

ScriptReply Xml(std::string body) {
    return ScriptReply{200, "text/xml", std::move(body)};
}

// Cuts ss seconds in, endpos seconds long, out of the source video that the
// server path names and publishes the piece below "fragment/".
ScriptReply FragmentScript(ServerState& state, const ScriptRequest& request) {
    const std::string relative = RelativeOfServerPath(request.Param("filename"));
    if (relative.empty() || relative.find("..") != std::string::npos)
        return Xml(FragmentReply(""));
    const auto text = ReadWholeFile(state.filesRoot / relative);
    std::string error;
    const auto video = text ? ReadSampleVideo(*text, error) : std::nullopt;
    const int32_t ss = PhpIntval(request.Param("ss"));
    const int32_t length = PhpIntval(request.Param("endpos"));
    const auto piece = video ? CutFragment(*video, ss, length) : std::nullopt;
    if (!piece || piece->frameCount <= 0)
        return Xml(FragmentReply(""));

    std::string name = relative;
    for (char& c : name)
        if (c == '/')
            c = '_';
    const size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    name =
        name.substr(0, dot) + "_" + std::to_string(ss) + "_" + std::to_string(length) + extension;

    std::lock_guard<std::mutex> hold(state.writeLock);
    std::error_code ec;
    std::filesystem::create_directories(state.filesRoot / "fragment", ec);
    std::ofstream out(state.filesRoot / "fragment" / name, std::ios::binary | std::ios::trunc);
    out << WriteSampleVideo(*piece);
    if (!out)
        return ScriptReply{500, "text/plain", "cannot write fragment"};
    return Xml(FragmentReply("/fragment/" + name));
}

// The snapshot of an uploaded video (UserUploadVideoId) or of a video named by
// its server path (file), when one was generated.
ScriptReply SnapshotScript(ServerState& state, const ScriptRequest& request) {
    std::string video;
    if (request.Has("UserUploadVideoId")) {
        const UploadedVideo* upload =
            state.catalog.FindUpload(PhpIntval(request.Param("UserUploadVideoId")));
        if (upload != nullptr)
            video = upload->transcodedPath;
    } else {
        video = request.Param("file");
    }
    const std::string relative = RelativeOfServerPath(video);
    if (relative.empty() || relative.find("..") != std::string::npos)
        return Xml(SnapshotReply(""));
    const std::string snapshot = SnapshotRelativeOf(relative);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(state.filesRoot / snapshot, ec))
        return Xml(SnapshotReply(""));
    std::string webPath = "/" + snapshot;
    for (char& c : webPath)
        if (c == '/')
            c = '\\';
    return Xml(SnapshotReply(webPath));
}

ScriptReply ServerCommandScript(ServerState& state, const ScriptRequest& request) {
    if (request.Param("command") == "QueryTubeBasicInfoFilename")
        return Xml(TubeInfoReply(state.catalog, request.Param("FlowNumber")));
    return Xml("<ret>-1</ret>\r\n<error>unknown command</error>\r\n");
}

} // namespace

std::map<std::string, Script> MakeScriptTable() {
    std::map<std::string, Script> table;
    table["query_ex.php"] = [](ServerState& s, const ScriptRequest& r) {
        return Xml(SynopsisQueryReply(s.catalog, r.Param("flowNumber")));
    };
    table["querytranscodestatus.php"] = [](ServerState& s, const ScriptRequest& r) {
        return Xml(TranscodeStatusReply(s.catalog, r.Param("UserUploadVideoId")));
    };
    table["taskdetail.php"] = [](ServerState& s, const ScriptRequest& r) {
        // Tasks submitted since the server started have details too.
        const auto submitted = s.searchTasks.Find(PhpIntval(r.Param("flowNumber")));
        if (submitted && s.catalog.FindTask(submitted->task.flowNumber) == nullptr)
            return Xml(TaskDetailReply(Catalog{{submitted->task}, {}}, r.Param("flowNumber")));
        return Xml(TaskDetailReply(s.catalog, r.Param("flowNumber")));
    };
    table["getorgvideofragmenturl.php"] = FragmentScript;
    table["server.php"] = ServerCommandScript;
    table["getvideosnapshot.php"] = SnapshotScript;
    AddSnapshotScripts(table);
    return table;
}
