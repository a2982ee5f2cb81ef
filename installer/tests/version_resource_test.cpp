// Every DLL the package ships carries one version resource with the build's
// version, product and company, read back the way Windows shows it.
#include "module_path.h"
#include "test_fixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The DLLs of the build's shipping list (deliverables.txt), by file name.
std::vector<std::wstring> ShippedDlls() {
    const char* list = std::getenv("VR_DELIVERABLES");
    std::vector<std::wstring> dlls;
    if (list == nullptr) {
        ADD_FAILURE() << "VR_DELIVERABLES is not set";
        return dlls;
    }
    std::istringstream lines(ReadFileBytes(WinePathOf(list)).value_or(""));
    std::string kind, name;
    while (lines >> kind >> name) {
        if (kind != "folder")
            dlls.push_back(std::wstring(name.begin(), name.end()));
    }
    return dlls;
}

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        m_data.resize(size);
        if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, m_data.data()))
            m_data.clear();
    }
    bool Present() const { return !m_data.empty(); }
    const VS_FIXEDFILEINFO* Fixed() const {
        return static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\"));
    }
    // A text of the US English, Unicode string table.
    std::wstring Text(const std::wstring& name) const {
        const void* text = Query(L"\\StringFileInfo\\040904b0\\" + name);
        return text ? static_cast<const wchar_t*>(text) : L"<none>";
    }

private:
    const void* Query(const std::wstring& block) const {
        void* value = nullptr;
        UINT length = 0;
        if (m_data.empty() || !VerQueryValueW(m_data.data(), block.c_str(), &value, &length) ||
            length == 0)
            return nullptr;
        return value;
    }
    std::vector<BYTE> m_data;
};

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountVersionResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR count) {
    EnumResourceLanguagesW(module, type, name, CountLanguage, count);
    return TRUE;
}

// Version resources in the file: names times languages.
int VersionResourceCount(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return -1;
    int count = 0;
    EnumResourceNamesW(module, RT_VERSION, CountVersionResource,
                       reinterpret_cast<LONG_PTR>(&count));
    FreeLibrary(module);
    return count;
}

std::wstring Widen(const char* text) {
    return std::wstring(text, text + strlen(text));
}

TEST(VersionResource, EveryShippedDllCarriesTheBuildsVersion) {
    const std::wstring folder = ModuleFolder(GetModuleHandleW(nullptr));
    const std::vector<std::wstring> dlls = ShippedDlls();
    ASSERT_FALSE(dlls.empty());
    const DWORD versionMs = MAKELONG(VR_VERSION_MINOR, VR_VERSION_MAJOR);
    const DWORD versionLs = MAKELONG(0, VR_VERSION_PATCH);
    for (const std::wstring& dll : dlls) {
        SCOPED_TRACE(std::string(dll.begin(), dll.end()));
        const std::wstring path = folder + L"\\" + dll;
        EXPECT_EQ(1, VersionResourceCount(path));
        const VersionInfo info(path);
        ASSERT_TRUE(info.Present());
        const VS_FIXEDFILEINFO* fixed = info.Fixed();
        ASSERT_NE(nullptr, fixed);
        EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
        EXPECT_EQ(versionMs, fixed->dwFileVersionMS);
        EXPECT_EQ(versionLs, fixed->dwFileVersionLS);
        EXPECT_EQ(versionMs, fixed->dwProductVersionMS);
        EXPECT_EQ(versionLs, fixed->dwProductVersionLS);
        EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

        const std::wstring version = Widen(VR_VERSION_TEXT);
        EXPECT_EQ(version, info.Text(L"FileVersion"));
        EXPECT_EQ(version, info.Text(L"ProductVersion"));
        EXPECT_EQ(Widen(VR_PRODUCT_NAME), info.Text(L"ProductName"));
        EXPECT_EQ(Widen(VR_COMPANY_NAME), info.Text(L"CompanyName"));
        EXPECT_NE(L"<none>", info.Text(L"FileDescription"));
        // A DLL shipped under a second name is a copy of the one it names.
        const std::wstring original = info.Text(L"OriginalFilename");
        if (original != dll) {
            EXPECT_EQ(ReadFileBytes(folder + L"\\" + original), ReadFileBytes(path))
                << "named " << std::string(original.begin(), original.end());
        }
    }
}

} // namespace
