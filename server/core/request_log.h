// The request log: one JSON object per line for every request the server
// receives, so tests can check exactly what a client sent.
//
//   {"method":"GET","target":"/query_ex.php?flowNumber=12","version":"HTTP/1.0",
//    "headers":[["Accept","*/*"],...],"body":"..."}
//
// Strings are the request's bytes: printable ASCII as is, quote and backslash
// escaped, every other byte as \u00XX (so a GBK body keeps its exact bytes).
#pragma once

#include <fstream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct LoggedRequest {
    std::string method;
    std::string target; // path with query, as sent
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
};

std::string FormatLogRecord(const LoggedRequest& request);

// Reads a record written by FormatLogRecord; false when the line is not one.
bool ParseLogRecord(const std::string& line, LoggedRequest& request);

// Every record in a log's text, in order; unreadable lines are left out and
// counted in unreadable when it is given.
std::vector<LoggedRequest> ParseLogRecords(const std::string& text, size_t* unreadable = nullptr);

// Appends records to a file, one line each, flushed at once.
class RequestLog {
public:
    bool Open(const std::string& path);
    void Write(const LoggedRequest& request);

private:
    std::mutex m_lock;
    std::ofstream m_file;
};
