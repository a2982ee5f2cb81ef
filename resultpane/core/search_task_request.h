// The search-by-picture task the viewer submits: the values it copies from the
// source task's detail, the form body it posts, and the new task's number in
// the reply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::wstring SearchTaskDetailUrl(std::wstring_view server, int32_t flowNumber);
std::wstring SubmitTaskUrl(std::wstring_view server);

// What the new task takes over from the task it searches.
struct SearchTaskSource {
    std::wstring sourceUrl;
    std::wstring sensitivity;
    std::wstring udrExist;
    std::wstring udrSetting;
    std::wstring snapType;
    std::wstring dropFrameRate;
};

// The text after the first "<key>" up to the first "</key>" of reply (empty
// when that closing tag is missing or comes first); nothing when "<key>" is
// missing.
std::optional<std::wstring> CutReplyValue(std::wstring_view reply, std::wstring_view key);

// The six values of a task-detail reply; nothing when any opening tag is missing.
std::optional<SearchTaskSource> ReadSearchTaskSource(std::wstring_view reply);

// The form body: the values as they are (the source path's backslashes
// doubled), objType 1 person or 2 car, then the two pictures' Base64 text.
std::wstring SearchTaskBody(const SearchTaskSource& source, int32_t objType,
                            std::string_view objBase64, std::string_view maskBase64);
