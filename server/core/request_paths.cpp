#include "request_paths.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::vector<std::string> Segments(const std::string& path) {
    std::vector<std::string> segments;
    size_t at = 0;
    while (at <= path.size()) {
        const size_t slash = std::min(path.find('/', at), path.size());
        if (slash > at)
            segments.push_back(path.substr(at, slash - at));
        at = slash + 1;
    }
    return segments;
}

} // namespace

std::string ScriptNameOf(const std::string& path) {
    const std::vector<std::string> segments = Segments(path);
    if (segments.size() != 1)
        return std::string();
    std::string name = segments[0];
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".php") != 0)
        return std::string();
    return name;
}

std::optional<std::filesystem::path> FileForRequestPath(const std::filesystem::path& root,
                                                        const std::string& path) {
    if (path.find('\\') != std::string::npos || path.find('\0') != std::string::npos)
        return std::nullopt;
    const std::vector<std::string> segments = Segments(path);
    if (segments.empty())
        return std::nullopt;
    std::filesystem::path file = root;
    for (const std::string& segment : segments) {
        if (segment == "." || segment == "..")
            return std::nullopt;
        file /= segment;
    }
    // A link inside the data folder must not lead out of it.
    std::error_code ec;
    const std::filesystem::path realRoot = std::filesystem::weakly_canonical(root, ec);
    if (ec)
        return std::nullopt;
    const std::filesystem::path realFile = std::filesystem::weakly_canonical(file, ec);
    if (ec)
        return std::nullopt;
    const auto [rootEnd, fileAt] =
        std::mismatch(realRoot.begin(), realRoot.end(), realFile.begin(), realFile.end());
    if (rootEnd != realRoot.end())
        return std::nullopt;
    return file;
}
