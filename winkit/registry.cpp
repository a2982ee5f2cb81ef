#include "registry.h"

#include <vector>

LSTATUS RegistryKey::Create(HKEY parent, const std::wstring& subkey) {
    Close();
    return RegCreateKeyExW(parent, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr);
}

LSTATUS RegistryKey::Open(HKEY parent, const std::wstring& subkey, REGSAM access) {
    Close();
    return RegOpenKeyExW(parent, subkey.c_str(), 0, access, &m_key);
}

void RegistryKey::Close() {
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}

LSTATUS RegistryKey::SetString(const std::wstring& name, const std::wstring& value) {
    return RegSetValueExW(m_key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool RegistryKey::GetString(const std::wstring& name, std::wstring& value) const {
    DWORD type = 0, bytes = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    if (RegQueryValueExW(m_key, valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(m_key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());
    return true;
}

LSTATUS DeleteKeyTree(HKEY parent, const std::wstring& subkey) {
    const LSTATUS status = RegDeleteTreeW(parent, subkey.c_str());
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS)
        return status;
    const LSTATUS removed = RegDeleteKeyW(parent, subkey.c_str());
    return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

ClassesRoot ClassesRootFor(bool perUser) {
    if (perUser)
        return ClassesRoot{HKEY_CURRENT_USER, L"Software\\Classes\\"};
    return ClassesRoot{HKEY_CLASSES_ROOT, L""};
}
