// Skin-file values from arbitrary bytes: each line "KEY=VALUE" sets a key;
// whatever the file holds, the settings stay within their ranges and every
// message belongs to a key.
#include "frame_settings.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::map<std::wstring, std::wstring> file;
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    while (at <= text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            file[std::wstring(line.begin(), line.begin() + static_cast<long>(equals))] =
                std::wstring(line.begin() + static_cast<long>(equals) + 1, line.end());
        }
        at = end + 1;
    }
    std::vector<std::wstring> messages;
    const FrameSettings s = ReadFrameSettings(
        [&](const wchar_t* key) {
            const auto found = file.find(key);
            return found == file.end() ? std::wstring() : found->second;
        },
        messages);
    for (int32_t colour : {s.bkColR, s.bkColG, s.bkColB})
        if (colour < 0 || colour > 255)
            std::abort();
    for (int32_t size : {s.circleAngle, s.titleHeight, s.statusHeight, s.borderWidth,
                         s.titleSideWidth, s.titleCenterWidth})
        if (size < 0 || size > 4096)
            std::abort();
    if (messages.size() > 7)
        std::abort();
    return 0;
}
