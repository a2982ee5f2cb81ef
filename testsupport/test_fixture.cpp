#include "test_fixture.h"

#include "file_tree.h"
#include "module_path.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

std::wstring WinePathOf(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, read);
    fclose(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0)
            names.push_back(entry.cFileName);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring MakeLocalScratchFolder(const std::string& name) {
    const std::wstring root = ModuleFolder(GetModuleHandleW(nullptr)) + L"\\scratch";
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring folder = root + L"\\" + std::wstring(name.begin(), name.end());
    DeleteFolderTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

const SampleServerFixture& SampleServerFixture::Get() {
    static const SampleServerFixture fixture = [] {
        SampleServerFixture f;
        const char* dir = std::getenv("VR_TEST_FIXTURE");
        if (dir == nullptr || *dir == '\0') {
            ADD_FAILURE() << "VR_TEST_FIXTURE is not set: run this test through ctest";
            return f;
        }
        f.m_dir = dir;
        const auto address = ReadFileBytes(WinePathOf(f.m_dir + "/address"));
        if (!address) {
            ADD_FAILURE() << "no address file in " << f.m_dir;
            return f;
        }
        for (char c : *address)
            if (c != '\n' && c != '\r')
                f.m_server += static_cast<wchar_t>(c);
        return f;
    }();
    return fixture;
}

std::wstring SampleServerFixture::DataFile(const std::string& relative) const {
    return WinePathOf(m_dir + "/data/AstRP_1v2/" + relative);
}

std::wstring SampleServerFixture::MakeScratchFolder(const std::string& name) const {
    const std::wstring root = WinePathOf(m_dir + "/scratch");
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring folder = root + L"\\" + std::wstring(name.begin(), name.end());
    DeleteFolderTree(folder); // start empty: remove what an earlier run left
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

size_t SampleServerFixture::LogSize() const {
    const auto bytes = ReadFileBytes(WinePathOf(m_dir + "/requests.log"));
    return bytes ? bytes->size() : 0;
}

std::vector<LoggedRequest> SampleServerFixture::RequestsSince(size_t offset) const {
    std::vector<LoggedRequest> requests;
    const auto bytes = ReadFileBytes(WinePathOf(m_dir + "/requests.log"));
    if (!bytes || offset > bytes->size())
        return requests;
    std::istringstream lines(bytes->substr(offset));
    std::string line;
    while (std::getline(lines, line)) {
        LoggedRequest request;
        if (ParseLogRecord(line, request))
            requests.push_back(request);
        else
            ADD_FAILURE() << "unreadable request log line: " << line;
    }
    return requests;
}
