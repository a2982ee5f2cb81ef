// Registry access for self-registration of our COM classes.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LSTATUS Create(HKEY parent, const std::wstring& subkey);
    LSTATUS Open(HKEY parent, const std::wstring& subkey, REGSAM access = KEY_READ);
    void Close();
    HKEY Get() const { return m_key; }

    // name empty means the key's default value.
    LSTATUS SetString(const std::wstring& name, const std::wstring& value);
    // The string value, or nothing when absent.
    bool GetString(const std::wstring& name, std::wstring& value) const;

private:
    HKEY m_key = nullptr;
};

// Removes subkey of parent with everything below it; absent counts as done.
LSTATUS DeleteKeyTree(HKEY parent, const std::wstring& subkey);

// "{xxxxxxxx-xxxx-...}".
std::wstring GuidText(REFGUID guid);

// Where classes are registered: the machine's classes, or the current user's
// (HKCU\Software\Classes) for a per-user install.
struct ClassesRoot {
    HKEY key;
    std::wstring prefix; // "" or "Software\\Classes\\"
};
ClassesRoot ClassesRootFor(bool perUser);
