#include "file_name_rules.h"

std::wstring FileNameFromPath(std::wstring_view path) {
    const size_t separator = path.find_last_of(L"\\/:");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

size_t FileNameUnits(std::wstring_view name) {
    size_t units = 0;
    for (const wchar_t c : name) {
        const auto code = static_cast<unsigned long>(c);
        units += code < 0x80 ? 1 : code <= 0xFFFF ? 2 : 4;
    }
    return units;
}
