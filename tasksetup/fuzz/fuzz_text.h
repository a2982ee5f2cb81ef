// Shared pieces of the parameter-string fuzzers.
#pragma once

#include "parameter_round_trip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Each input byte is one code unit, so the seed files are plain text.
inline std::wstring FuzzText(const uint8_t* data, size_t size) {
    return WidenBytes(std::string_view(reinterpret_cast<const char*>(data), size));
}

// Picture data is Base64 by design; other text may contain key names that a
// later plain-text lookup would find first, so round trips hold only for this.
inline bool IsBase64Text(std::string_view text) {
    for (const char c : text) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=';
        if (!ok)
            return false;
    }
    return true;
}

[[noreturn]] inline void FuzzFailure(const char* what, const std::wstring& written) {
    std::fprintf(stderr, "%s\nwritten: %ls\n", what, written.c_str());
    std::abort();
}

// Writing parsed records and reading them back must succeed, and a second
// write must repeat the first exactly.
inline void CheckWriteIsStable(const TaskRecords& parsed) {
    if (!IsBase64Text(parsed.params.request_image_data) ||
        !IsBase64Text(parsed.params.request_mask_data))
        return;
    const std::wstring written = FullStringOf(parsed);
    TaskRecords again;
    if (!ParseInto(written, again))
        FuzzFailure("a written parameter string does not parse", written);
    if (FullStringOf(again) != written)
        FuzzFailure("writing the parsed string again changes it", written);
}
