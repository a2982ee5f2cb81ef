// Search-by-picture tasks submitted to the server (submittask.php): reading
// the posted form and keeping the new tasks, which search a known task's
// source video for people or cars.
#pragma once

#include "catalog.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

// The fields of a urlencoded form body, split at "&" and the first "=", with
// %XX escapes decoded, and "+" read as a space when plusIsSpace. The viewer
// sends Base64 text unescaped: there "+" is a Base64 digit.
std::multimap<std::string, std::string> ParseFormBody(std::string_view body,
                                                      bool plusIsSpace = false);

// Strict Base64 (standard alphabet, "=" padding, no line breaks); nothing for
// any other text.
std::optional<std::string> DecodeBase64(std::string_view text);

struct SearchSubmission {
    std::string sourcePath; // the searched video's server path
    int objType = 0;        // 1 person, 2 car
    std::string picture;    // the decoded target picture
    std::string mask;       // the decoded mask
};

// Reads a submitted form; nothing (with error set) when a field is missing
// or its Base64 text is bad.
std::optional<SearchSubmission> ReadSearchSubmission(std::string_view body, std::string& error);

struct SearchTask {
    SampleTask task; // flow number, name, the searched video and the new task's parameters
    int32_t sourceFlow = 0;
    int objType = 0;
};

// The submitted tasks; safe to use from the server's request threads at once.
class SearchTaskRegistry {
public:
    static constexpr int32_t kFirstFlowNumber = 1001;

    // Enters a task searching source; returns its new flow number.
    int32_t Add(const SampleTask& source, int objType);
    std::optional<SearchTask> Find(int32_t flowNumber) const;

private:
    mutable std::mutex m_lock;
    std::map<int32_t, SearchTask> m_tasks;
    int32_t m_next = kFirstFlowNumber;
};
