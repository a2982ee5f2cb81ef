#include "module_path.h"

#include <gtest/gtest.h>

namespace {

TEST(ModulePath, ThisModuleIsTheTestProgram) {
    EXPECT_EQ(GetModuleHandleW(nullptr), ThisModule());
    const std::wstring path = ModuleFilePath(ThisModule());
    EXPECT_NE(std::wstring::npos, path.find(L"winkit_tests.exe"));
    const std::wstring folder = ModuleFolder();
    EXPECT_EQ(path.substr(0, path.find_last_of(L'\\')), folder);
    EXPECT_NE(L'\\', folder.back());
}

TEST(ModulePath, AddressInASystemDllNamesThatDll) {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(nullptr, kernel);
    EXPECT_EQ(kernel, ModuleOfAddress(reinterpret_cast<const void*>(&GetTickCount)));
}

} // namespace
