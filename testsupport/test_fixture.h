// What a Windows test program needs to know about its sample server: the
// address, the data folder and the request log. ctest starts the server and
// names its folder in VR_TEST_FIXTURE (a Linux path; Wine shows it under Z:).
#pragma once

#include "request_log.h"

#include <optional>
#include <string>
#include <vector>

// The Windows path under which Wine shows a Linux path ("Z:\...").
std::wstring WinePathOf(const std::string& unixPath);

// A file's bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// The names in a folder (without "." and ".."), sorted; none when it cannot be read.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// A new, empty folder of the test's own beside the test program (for tests
// that need no server): <program folder>\scratch\<name>.
std::wstring MakeLocalScratchFolder(const std::string& name);

class SampleServerFixture {
public:
    // The fixture named by VR_TEST_FIXTURE; a test that has none fails.
    static const SampleServerFixture& Get();

    // "ADDR:PORT", as a page would pass it to a control.
    const std::wstring& Server() const { return m_server; }
    // The address alone, as the media service is reached.
    std::wstring Host() const { return m_server.substr(0, m_server.find(L':')); }
    // The Windows path of a file below the server's data folder, given with
    // "/" separators ("summary/12/summary.mp4").
    std::wstring DataFile(const std::string& relative) const;
    // A new, empty folder of the test's own below the fixture folder.
    std::wstring MakeScratchFolder(const std::string& name) const;

    // The request log's size now; pass it to RequestsSince later.
    size_t LogSize() const;
    std::vector<LoggedRequest> RequestsSince(size_t offset) const;

private:
    std::string m_dir;
    std::wstring m_server;
};
