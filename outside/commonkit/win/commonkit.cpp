#include "commonkit.h"

#include "file_name_rules.h"
#include "module_path.h"

#include <windows.h>

namespace QN::Util {

// Not inlined: the return address must be the caller's, in the calling module.
__attribute__((noinline)) std::wstring QNFile::GetCurrentModuleDir(const std::wstring& moduleName) {
    const HMODULE module = moduleName.empty() ? ModuleOfAddress(__builtin_return_address(0))
                                              : GetModuleHandleW(moduleName.c_str());
    if (module == nullptr)
        return std::wstring();
    return ModuleFolder(module);
}

bool QNFile::MakeSureDirPathExist(const std::wstring& path) {
    if (path.empty())
        return false;
    // Try every prefix that ends before a separator, then the whole path.
    // Prefixes that are roots ("C:", "\\server") just fail to be created.
    for (size_t separator = path.find_first_of(L"\\/", 1); separator != std::wstring::npos;
         separator = path.find_first_of(L"\\/", separator + 1)) {
        CreateDirectoryW(path.substr(0, separator).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring QNFile::GetFileNameFromPath(const std::wstring& path) {
    return FileNameFromPath(path);
}

int QNString::CheckFileNameLength(const std::wstring& name, int maxUnits) {
    return maxUnits >= 0 && FileNameUnits(name) <= static_cast<size_t>(maxUnits) ? 1 : 0;
}

} // namespace QN::Util
