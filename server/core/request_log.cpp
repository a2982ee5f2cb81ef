#include "request_log.h"

#include <algorithm>
#include <cstdio>

namespace {

void AppendJsonString(std::string& out, const std::string& bytes) {
    out += '"';
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04X", c);
            out += escape;
        }
    }
    out += '"';
}

// A small reader for exactly the JSON that FormatLogRecord writes.
class RecordReader {
public:
    explicit RecordReader(const std::string& text) : m_text(text) {}

    bool Expect(char c) {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool Peek(char c) const { return m_at < m_text.size() && m_text[m_at] == c; }
    bool String(std::string& out) {
        out.clear();
        if (!Expect('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size())
                return false;
            const char e = m_text[m_at++];
            if (e == '"' || e == '\\') {
                out += e;
            } else if (e == 'u' && m_at + 4 <= m_text.size()) {
                unsigned value = 0;
                for (int i = 0; i < 4; ++i) {
                    const char h = m_text[m_at++];
                    value <<= 4;
                    if (h >= '0' && h <= '9')
                        value |= static_cast<unsigned>(h - '0');
                    else if (h >= 'A' && h <= 'F')
                        value |= static_cast<unsigned>(h - 'A' + 10);
                    else
                        return false;
                }
                if (value > 0xFF)
                    return false;
                out += static_cast<char>(value);
            } else {
                return false;
            }
        }
        return false;
    }
    bool Field(const char* name, std::string& value) {
        std::string key;
        return String(key) && key == name && Expect(':') && String(value);
    }
    bool AtEnd() const { return m_at == m_text.size(); }

private:
    const std::string& m_text;
    size_t m_at = 0;
};

} // namespace

std::string FormatLogRecord(const LoggedRequest& request) {
    std::string out = "{\"method\":";
    AppendJsonString(out, request.method);
    out += ",\"target\":";
    AppendJsonString(out, request.target);
    out += ",\"version\":";
    AppendJsonString(out, request.version);
    out += ",\"headers\":[";
    for (size_t i = 0; i < request.headers.size(); ++i) {
        if (i > 0)
            out += ',';
        out += '[';
        AppendJsonString(out, request.headers[i].first);
        out += ',';
        AppendJsonString(out, request.headers[i].second);
        out += ']';
    }
    out += "],\"body\":";
    AppendJsonString(out, request.body);
    out += '}';
    return out;
}

bool ParseLogRecord(const std::string& line, LoggedRequest& request) {
    RecordReader in(line);
    request = LoggedRequest{};
    std::string key;
    if (!in.Expect('{') || !in.Field("method", request.method) || !in.Expect(',') ||
        !in.Field("target", request.target) || !in.Expect(',') ||
        !in.Field("version", request.version) || !in.Expect(',') || !in.String(key) ||
        key != "headers" || !in.Expect(':') || !in.Expect('['))
        return false;
    while (!in.Peek(']')) {
        if (!request.headers.empty() && !in.Expect(','))
            return false;
        std::pair<std::string, std::string> header;
        if (!in.Expect('[') || !in.String(header.first) || !in.Expect(',') ||
            !in.String(header.second) || !in.Expect(']'))
            return false;
        request.headers.push_back(std::move(header));
    }
    return in.Expect(']') && in.Expect(',') && in.Field("body", request.body) && in.Expect('}') &&
           in.AtEnd();
}

bool RequestLog::Open(const std::string& path) {
    m_file.open(path, std::ios::binary | std::ios::app);
    return static_cast<bool>(m_file);
}

void RequestLog::Write(const LoggedRequest& request) {
    const std::string line = FormatLogRecord(request) + "\n";
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_file.is_open())
        return;
    m_file << line;
    m_file.flush();
}

std::vector<LoggedRequest> ParseLogRecords(const std::string& text, size_t* unreadable) {
    std::vector<LoggedRequest> records;
    size_t bad = 0;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        LoggedRequest record;
        if (ParseLogRecord(text.substr(at, end - at), record))
            records.push_back(std::move(record));
        else
            ++bad;
        at = end + 1;
    }
    if (unreadable)
        *unreadable = bad;
    return records;
}
