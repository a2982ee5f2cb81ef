#include "removal_list.h"

#include <cwctype>

namespace {

std::vector<std::wstring> SplitFields(const std::wstring& text) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t bar = text.find(L'|', start);
        fields.push_back(text.substr(start, bar == std::wstring::npos ? bar : bar - start));
        if (bar == std::wstring::npos)
            return fields;
        start = bar + 1;
    }
}

// A single name inside the program folder: no separators, no drive, not "."
// or "..", none of the characters a file name cannot hold.
bool IsPlainName(const std::wstring& name, bool wildcards) {
    if (name.empty() || name == L"." || name == L"..")
        return false;
    for (wchar_t c : name) {
        if (c < 32 || std::wstring(L"\\/:\"<>|").find(c) != std::wstring::npos)
            return false;
        if (!wildcards && (c == L'*' || c == L'?'))
            return false;
    }
    return true;
}

// "C:\Program Files\Product\" -> "C:\Program Files\Product": a drive letter,
// a separator and at least one folder name, with no "." or ".." steps.
std::optional<std::wstring> ProgramFolder(std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    const bool drive =
        folder.size() > 3 && iswalpha(folder[0]) && folder[1] == L':' && folder[2] == L'\\';
    if (!drive)
        return std::nullopt;
    size_t start = 3;
    while (start <= folder.size()) {
        size_t end = folder.find(L'\\', start);
        if (end == std::wstring::npos)
            end = folder.size();
        if (!IsPlainName(folder.substr(start, end - start), false))
            return std::nullopt;
        start = end + 1;
    }
    return folder;
}

} // namespace

std::optional<RemovalList> ParseRemovalList(const std::wstring& text) {
    const std::vector<std::wstring> fields = SplitFields(text);
    RemovalList list;
    const std::optional<std::wstring> folder = ProgramFolder(fields[0]);
    if (!folder)
        return std::nullopt;
    list.programFolder = *folder;
    for (size_t i = 1; i < fields.size(); ++i) {
        const std::wstring& entry = fields[i];
        if (!entry.empty() && entry.back() == L'\\') {
            const std::wstring name = entry.substr(0, entry.size() - 1);
            if (!IsPlainName(name, false))
                return std::nullopt;
            list.folders.push_back(name);
        } else {
            if (!IsPlainName(entry, true))
                return std::nullopt;
            list.filePatterns.push_back(entry);
        }
    }
    return list;
}
