#include "registry_tree.h"

#include "registry.h"

#include <vector>

namespace {

void ReadInto(HKEY key, const std::wstring& path, RegistryTree& tree) {
    auto& values = tree[path];
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, bytes = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS)
            break;
        std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = bytes;
        nameLength = 256;
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &size);
        values[name] = type == REG_SZ ? std::wstring(data.data()) : L"<not a string>";
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        RegistryKey sub;
        if (sub.Open(key, name) == ERROR_SUCCESS)
            ReadInto(sub.Get(), path.empty() ? name : path + L"\\" + name, tree);
    }
}

} // namespace

RegistryTree ReadRegistryTree(HKEY root, const std::wstring& path) {
    RegistryTree tree;
    RegistryKey key;
    if (key.Open(root, path) == ERROR_SUCCESS)
        ReadInto(key.Get(), L"", tree);
    return tree;
}

bool RegistryKeyExists(HKEY root, const std::wstring& path) {
    RegistryKey key;
    return key.Open(root, path) == ERROR_SUCCESS;
}
