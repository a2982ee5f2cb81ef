#include "catalog.h"

#include <sstream>

const SampleTask* Catalog::FindTask(int32_t flowNumber) const {
    for (const SampleTask& task : tasks)
        if (task.flowNumber == flowNumber)
            return &task;
    return nullptr;
}

const UploadedVideo* Catalog::FindUpload(int32_t id) const {
    for (const UploadedVideo& upload : uploads)
        if (upload.id == id)
            return &upload;
    return nullptr;
}

std::string WriteCatalog(const Catalog& catalog) {
    std::ostringstream out;
    out << "# Sample video retrieval server catalogue\n";
    for (const SampleTask& task : catalog.tasks) {
        out << "\n[task " << task.flowNumber << "]\n";
        out << "name=" << task.name << "\n";
        out << "synopsis=" << task.synopsisPath << "\n";
        out << "source=" << task.sourcePath << "\n";
        out << "tube=" << task.tubePath << "\n";
        for (const auto& [key, value] : task.params)
            out << "param." << key << "=" << value << "\n";
    }
    for (const UploadedVideo& upload : catalog.uploads) {
        out << "\n[upload " << upload.id << "]\n";
        out << "transcoded=" << upload.transcodedPath << "\n";
    }
    return out.str();
}

namespace {

bool ParseId(const std::string& text, int32_t& id) {
    if (text.empty() || text.size() > 10)
        return false;
    long long value = 0;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-')
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return false;
    id = static_cast<int32_t>(value);
    return true;
}

} // namespace

std::optional<Catalog> ReadCatalog(const std::string& text, std::string& error) {
    Catalog catalog;
    SampleTask* task = nullptr;
    UploadedVideo* upload = nullptr;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber);
        if (line.front() == '[') {
            if (line.back() != ']') {
                error = where + ": unterminated section";
                return std::nullopt;
            }
            const std::string header = line.substr(1, line.size() - 2);
            const size_t space = header.find(' ');
            int32_t id = 0;
            if (space == std::string::npos || !ParseId(header.substr(space + 1), id)) {
                error = where + ": section needs a kind and a number";
                return std::nullopt;
            }
            const std::string kind = header.substr(0, space);
            task = nullptr;
            upload = nullptr;
            if (kind == "task") {
                catalog.tasks.push_back(SampleTask{});
                task = &catalog.tasks.back();
                task->flowNumber = id;
            } else if (kind == "upload") {
                catalog.uploads.push_back(UploadedVideo{});
                upload = &catalog.uploads.back();
                upload->id = id;
            } else {
                error = where + ": unknown section kind '" + kind + "'";
                return std::nullopt;
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || (task == nullptr && upload == nullptr)) {
            error = where + ": expected key=value inside a section";
            return std::nullopt;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (task != nullptr) {
            if (key == "name")
                task->name = value;
            else if (key == "synopsis")
                task->synopsisPath = value;
            else if (key == "source")
                task->sourcePath = value;
            else if (key == "tube")
                task->tubePath = value;
            else if (key.rfind("param.", 0) == 0)
                task->params.emplace_back(key.substr(6), value);
            else {
                error = where + ": unknown task key '" + key + "'";
                return std::nullopt;
            }
        } else if (key == "transcoded") {
            upload->transcodedPath = value;
        } else {
            error = where + ": unknown upload key '" + key + "'";
            return std::nullopt;
        }
    }
    return catalog;
}

std::string RelativeOfServerPath(const std::string& serverPath) {
    const size_t at = serverPath.find(kServerDataFolderName);
    if (at == std::string::npos)
        return std::string();
    std::string rest = serverPath.substr(at + std::string(kServerDataFolderName).size());
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    const size_t first = rest.find_first_not_of('/');
    return first == std::string::npos ? std::string() : rest.substr(first);
}

std::string ServerPathOf(const std::string& relative) {
    std::string path = std::string(kServerDrive) + kServerDataFolderName + "\\" + relative;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string SnapshotRelativeOf(const std::string& videoRelative) {
    const size_t slash = videoRelative.rfind('/');
    const size_t dot = videoRelative.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return "snapshot/" + videoRelative.substr(0, hasExtension ? dot : std::string::npos) + ".jpg";
}
