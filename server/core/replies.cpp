#include "replies.h"

#include <cctype>
#include <climits>

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";

std::string Tag(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">" + kCrLf;
}

// Path values are written the way the server's scripts print them: the path,
// then a line end, then the closing tag.
std::string PathTag(const std::string& name, const std::string& path) {
    return "<" + name + ">" + path + kCrLf + "</" + name + ">" + kCrLf;
}

std::string Result(const std::string& body) {
    return std::string(kXmlDeclaration) + "<result>" + kCrLf + body + "</result>" + kCrLf;
}

std::string NotFound(const std::string& idName, int32_t id, const std::string& what) {
    return Result(Tag(idName, std::to_string(id)) + Tag("state", "-1") +
                  Tag("error", what + " not found"));
}

} // namespace

int32_t PhpIntval(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string SynopsisQueryReply(const Catalog& catalog, const std::string& flowNumberText) {
    const int32_t flow = PhpIntval(flowNumberText);
    const SampleTask* task = catalog.FindTask(flow);
    if (task == nullptr)
        return NotFound("flowNumber", flow, "task");
    return Result(Tag("flowNumber", std::to_string(flow)) + Tag("state", "2") +
                  Tag("taskname", task->name) + PathTag("summarypath", task->synopsisPath));
}

std::string TranscodeStatusReply(const Catalog& catalog, const std::string& idText) {
    const int32_t id = PhpIntval(idText);
    const UploadedVideo* upload = catalog.FindUpload(id);
    if (upload == nullptr)
        return NotFound("UserUploadVideoId", id, "video");
    return Result(Tag("UserUploadVideoId", std::to_string(id)) + Tag("status", "1") +
                  "<destURI><![CDATA[" + upload->transcodedPath + "]]></destURI>" + kCrLf);
}

std::string TaskDetailReply(const Catalog& catalog, const std::string& flowNumberText) {
    const int32_t flow = PhpIntval(flowNumberText);
    const SampleTask* task = catalog.FindTask(flow);
    if (task == nullptr)
        return NotFound("flowNumber", flow, "task");
    std::string body = Tag("flowNumber", std::to_string(flow)) + Tag("taskname", task->name) +
                       PathTag("sourceUrl", task->sourcePath);
    for (const auto& [key, value] : task->params)
        body += Tag(key, value);
    return Result(body);
}

std::string TubeInfoReply(const Catalog& catalog, const std::string& flowNumberText) {
    const int32_t flow = PhpIntval(flowNumberText);
    const SampleTask* task = catalog.FindTask(flow);
    if (task == nullptr || task->tubePath.empty())
        return Tag("ret", "-1") + Tag("fileurl", "");
    // The script prints the path below the data folder with every separator
    // escaped as a doubled backslash.
    std::string url;
    for (char c : "/" + RelativeOfServerPath(task->tubePath))
        url += c == '/' ? std::string("\\\\") : std::string(1, c);
    return Tag("ret", "0") + Tag("fileurl", url);
}

std::string FragmentReply(const std::string& urlPath) {
    if (urlPath.empty())
        return Result(Tag("ret", "-1"));
    return Result(Tag("ret", "0") + Tag("url", urlPath));
}

std::string SnapshotReply(const std::string& webPath) {
    return Result(Tag("snapshot", webPath));
}

std::string SubmitTaskReply(int32_t flowNumber) {
    return Result(Tag("ret", "0") + Tag("flowNumber", std::to_string(flowNumber)));
}

std::string SubmitTaskErrorReply(const std::string& error) {
    return Result(Tag("ret", "-1") + Tag("error", error));
}
