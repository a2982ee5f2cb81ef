#include "search_tasks.h"

#include <array>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecode(std::string_view text, bool plusIsSpace) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (plusIsSpace && text[i] == '+') {
            out += ' ';
            continue;
        }
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// Trims the blanks and line ends a value may carry over from a reply.
std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::multimap<std::string, std::string> ParseFormBody(std::string_view body, bool plusIsSpace) {
    std::multimap<std::string, std::string> fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view pair = body.substr(start, end - start);
        if (!pair.empty()) {
            const size_t equals = pair.find('=');
            const std::string_view key = pair.substr(0, equals);
            const std::string_view value =
                equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
            fields.emplace(PercentDecode(key, plusIsSpace), PercentDecode(value, plusIsSpace));
        }
        start = end + 1;
    }
    return fields;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
    static const std::array<int, 256> kValues = [] {
        std::array<int, 256> values{};
        values.fill(-1);
        const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i)
            values[static_cast<unsigned char>(alphabet[i])] = i;
        return values;
    }();
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const size_t padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (padding == 1 && text[i + 2] == '=')
            return std::nullopt; // "x=y=" is no padding
        unsigned group = 0;
        for (size_t k = 0; k < 4; ++k) {
            const bool pad = k >= 4 - padding;
            const int value = pad ? 0 : kValues[static_cast<unsigned char>(text[i + k])];
            if (value < 0)
                return std::nullopt;
            group = group << 6 | static_cast<unsigned>(value);
        }
        bytes += static_cast<char>(group >> 16);
        if (padding < 2)
            bytes += static_cast<char>(group >> 8 & 0xFF);
        if (padding < 1)
            bytes += static_cast<char>(group & 0xFF);
    }
    return bytes;
}

std::optional<SearchSubmission> ReadSearchSubmission(std::string_view body, std::string& error) {
    const auto fields = ParseFormBody(body);
    const auto field = [&fields](const char* key) -> std::optional<std::string> {
        const auto found = fields.find(key);
        if (found == fields.end())
            return std::nullopt;
        return found->second;
    };
    SearchSubmission submission;
    const auto source = field("sourceUrl");
    if (!source || Trimmed(*source).rfind("file://", 0) != 0) {
        error = "sourceUrl missing";
        return std::nullopt;
    }
    // The viewer doubles the path's backslashes.
    std::string path = Trimmed(*source).substr(7);
    std::string single;
    for (size_t i = 0; i < path.size(); ++i) {
        single += path[i];
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
    }
    submission.sourcePath = single;
    const auto type = field("obj_type");
    if (!type || (*type != "1" && *type != "2")) {
        error = "obj_type must be 1 or 2";
        return std::nullopt;
    }
    submission.objType = *type == "1" ? 1 : 2;
    for (const auto& [key, target] :
         {std::pair<const char*, std::string*>{"request_image_data", &submission.picture},
          std::pair<const char*, std::string*>{"request_mask_data", &submission.mask}}) {
        const auto text = field(key);
        const auto bytes = text ? DecodeBase64(*text) : std::nullopt;
        if (!bytes) {
            error = std::string(text ? "bad " : "missing ") + key;
            return std::nullopt;
        }
        // A search needs a picture and its mask.
        if (bytes->empty()) {
            error = std::string("empty ") + key;
            return std::nullopt;
        }
        *target = *bytes;
    }
    return submission;
}

int32_t SearchTaskRegistry::Add(const SampleTask& source, int objType) {
    std::lock_guard<std::mutex> hold(m_lock);
    SearchTask entry;
    entry.sourceFlow = source.flowNumber;
    entry.objType = objType;
    entry.task = source;
    entry.task.flowNumber = m_next++;
    entry.task.name = source.name + (objType == 1 ? "-search-person" : "-search-car");
    for (auto& [key, value] : entry.task.params) {
        if (key == "enable_search_by_image")
            value = "1";
        else if (key == "obj_type")
            value = std::to_string(objType);
    }
    m_tasks[entry.task.flowNumber] = entry;
    return entry.task.flowNumber;
}

std::optional<SearchTask> SearchTaskRegistry::Find(int32_t flowNumber) const {
    std::lock_guard<std::mutex> hold(m_lock);
    const auto found = m_tasks.find(flowNumber);
    if (found == m_tasks.end())
        return std::nullopt;
    return found->second;
}
