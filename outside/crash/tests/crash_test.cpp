// Loading crash.dll makes an unhandled exception leave a minidump beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring Folder(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring ThisFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Folder(path);
}

std::vector<std::wstring> Dumps(const std::wstring& folder) {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\crash_*.dmp").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do
        found.push_back(folder + L"\\" + data.cFileName);
    while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
}

TEST(CrashReporter, UnhandledExceptionWritesAMinidumpBesideTheDll) {
    const std::wstring folder = ThisFolder() + L"\\crashtest";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& old : Dumps(folder))
        DeleteFileW(old.c_str());
    const std::wstring dll = folder + L"\\crash.dll";
    ASSERT_TRUE(CopyFileW((ThisFolder() + L"\\crash.dll").c_str(), dll.c_str(), FALSE));

    std::wstring command = L"\"" + ThisFolder() + L"\\crash_victim.exe\" \"" + dll + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_NE(0u, code) << "the victim did not crash";

    const std::vector<std::wstring> dumps = Dumps(folder);
    ASSERT_EQ(1u, dumps.size());
    HANDLE file = CreateFileW(dumps[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char magic[4] = {};
    DWORD read = 0;
    ReadFile(file, magic, 4, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(0, memcmp(magic, "MDMP", 4)); // a minidump
}

} // namespace
