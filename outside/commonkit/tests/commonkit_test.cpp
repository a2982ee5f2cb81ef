#include "commonkit.h"

#include "module_path.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

using QN::Util::QNFile;
using QN::Util::QNString;

namespace {

TEST(CommonKit, ModuleFolderIsTheCallersForAnEmptyName) {
    // Called from this program, the folder is the program's.
    EXPECT_EQ(QNFile::GetCurrentModuleDir(L""), ModuleFolder(GetModuleHandleW(nullptr)));
    const std::wstring named = QNFile::GetCurrentModuleDir(L"CommonKit.dll");
    EXPECT_EQ(named, ModuleFolder(GetModuleHandleW(L"CommonKit.dll")));
    EXPECT_FALSE(named.empty());
    EXPECT_NE(named.back(), L'\\');
    EXPECT_EQ(QNFile::GetCurrentModuleDir(L"NoSuchModule.dll"), L"");
}

TEST(CommonKit, MakeSureDirPathExistCreatesTheFolderAndItsParents) {
    const std::wstring scratch = MakeLocalScratchFolder("commonkit_dirs");
    const std::wstring deep = scratch + L"\\one\\two/three";
    EXPECT_TRUE(QNFile::MakeSureDirPathExist(deep));
    EXPECT_NE(GetFileAttributesW(deep.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    // Already there: still fine.
    EXPECT_TRUE(QNFile::MakeSureDirPathExist(deep));
    // A file in the way cannot become a folder.
    const std::wstring file = scratch + L"\\plain";
    ASSERT_TRUE(WriteFileBytes(file, "x"));
    EXPECT_FALSE(QNFile::MakeSureDirPathExist(file + L"\\below"));
    EXPECT_FALSE(QNFile::MakeSureDirPathExist(file));
    EXPECT_FALSE(QNFile::MakeSureDirPathExist(L""));
}

TEST(CommonKit, FileNameAndItsLengthLimit) {
    EXPECT_EQ(QNFile::GetFileNameFromPath(L"Z:\\pics\\\u8f66.jpg"), L"\u8f66.jpg");
    // 78 Chinese characters fit 156 units, 79 do not; ASCII counts one each.
    EXPECT_NE(QNString::CheckFileNameLength(std::wstring(78, L'\u6c49'), 156), 0);
    EXPECT_EQ(QNString::CheckFileNameLength(std::wstring(79, L'\u6c49'), 156), 0);
    EXPECT_NE(QNString::CheckFileNameLength(std::wstring(156, L'a'), 156), 0);
    EXPECT_EQ(QNString::CheckFileNameLength(std::wstring(157, L'a'), 156), 0);
    EXPECT_EQ(QNString::CheckFileNameLength(L"a", -1), 0);
}

} // namespace
