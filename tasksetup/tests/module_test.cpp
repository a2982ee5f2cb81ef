// TaskSetup.dll as a file: the keys its self-registration writes and removes,
// for the machine and for one user, and its string and bitmap resources.
#include "TaskSetup.h"
#include "module_path.h"
#include "proc_address.h"
#include "registry.h"
#include "registry_tree.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

using RegisterFn = HRESULT(STDAPICALLTYPE*)();
using InstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();

// A copy of the DLL in a folder of the test's own, loaded.
class DllCopy {
public:
    DllCopy() {
        const std::wstring folder = MakeLocalScratchFolder("TaskSetupModule");
        m_path = folder + L"\\TaskSetup.dll";
        EXPECT_TRUE(
            CopyFileW((ModuleFolder(GetModuleHandleW(nullptr)) + L"\\TaskSetup.dll").c_str(),
                      m_path.c_str(), FALSE));
        m_module = LoadLibraryW(m_path.c_str());
        EXPECT_NE(nullptr, m_module);
    }
    ~DllCopy() {
        if (m_module) {
            EXPECT_EQ(S_OK, GetProc<CanUnloadFn>(m_module, "DllCanUnloadNow")());
            FreeLibrary(m_module);
        }
    }
    template <class F> F Proc(const char* name) { return GetProc<F>(m_module, name); }
    HMODULE Module() const { return m_module; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    HMODULE m_module = nullptr;
};

RegistryTree ExpectedClassTree(const std::wstring& dllPath) {
    return RegistryTree{
        {L"", {{L"", L"ConfigDlg Class"}}},
        {L"Programmable", {}},
        {L"InprocServer32", {{L"", dllPath}, {L"ThreadingModel", L"Apartment"}}},
        {L"Control", {}},
        {L"ToolboxBitmap32", {{L"", dllPath + L", 106"}}},
        {L"MiscStatus", {{L"", L"0"}}},
        {L"MiscStatus\\1", {{L"", L"131473"}}},
        {L"TypeLib", {{L"", GuidText(LIBID_TaskSetupLib)}}},
        {L"Version", {{L"", L"1.0"}}},
    };
}

TEST(Registration, WritesTheClassKeysForTheMachineOrOneUserAndRemovesThem) {
    DllCopy dll;
    ASSERT_NE(nullptr, dll.Module());
    const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_ConfigDlg);
    const std::wstring userKey = L"Software\\Classes\\" + classKey;
    const std::wstring typeLibKey = L"TypeLib\\" + GuidText(LIBID_TaskSetupLib) + L"\\1.0";

    ASSERT_EQ(S_OK, dll.Proc<RegisterFn>("DllRegisterServer")());
    EXPECT_EQ(ExpectedClassTree(dll.Path()), ReadRegistryTree(HKEY_CLASSES_ROOT, classKey));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, typeLibKey));
    ASSERT_EQ(S_OK, dll.Proc<RegisterFn>("DllUnregisterServer")());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, classKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, typeLibKey));

    auto install = dll.Proc<InstallFn>("DllInstall");
    ASSERT_EQ(S_OK, install(TRUE, L"user"));
    EXPECT_EQ(ExpectedClassTree(dll.Path()), ReadRegistryTree(HKEY_CURRENT_USER, userKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + classKey));
    ASSERT_EQ(S_OK, install(FALSE, L"USER"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, userKey));
}

TEST(Resources, ProjectNameAndToolboxBitmap) {
    DllCopy dll;
    ASSERT_NE(nullptr, dll.Module());
    wchar_t name[32] = {};
    EXPECT_EQ(9, LoadStringW(dll.Module(), 100, name, 32));
    EXPECT_STREQ(L"TaskSetup", name);
    HBITMAP bitmap = LoadBitmapW(dll.Module(), MAKEINTRESOURCEW(106));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(16, info.bmWidth);
    DeleteObject(bitmap);
}

} // namespace
