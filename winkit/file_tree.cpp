#include "file_tree.h"

#include <windows.h>

namespace {

// One directory search, closed on every path.
class FileSearch {
public:
    explicit FileSearch(const std::wstring& pattern)
        : m_handle(FindFirstFileW(pattern.c_str(), &m_found)) {}
    ~FileSearch() {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool Found() const { return m_handle != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAW& Entry() const { return m_found; }
    bool Next() { return FindNextFileW(m_handle, &m_found) != FALSE; }

private:
    WIN32_FIND_DATAW m_found = {};
    HANDLE m_handle;
};

bool IsFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteOneFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != FALSE;
}

} // namespace

bool DeleteFolderTree(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        FileSearch search(folder + L"\\*");
        for (bool more = search.Found(); more; more = search.Next()) {
            const std::wstring name = search.Entry().cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            const bool isLink =
                (search.Entry().dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (IsFolder(search.Entry()) && !isLink)
                DeleteFolderTree(path);
            else if (IsFolder(search.Entry()))
                RemoveDirectoryW(path.c_str()); // a link to a folder: remove the link only
            else
                DeleteOneFile(path);
        }
    }
    return RemoveDirectoryW(folder.c_str()) != FALSE;
}

int DeleteMatchingFiles(const std::wstring& folder, const std::wstring& pattern) {
    int deleted = 0;
    FileSearch search(folder + L"\\" + pattern);
    for (bool more = search.Found(); more; more = search.Next()) {
        if (!IsFolder(search.Entry()) && DeleteOneFile(folder + L"\\" + search.Entry().cFileName))
            ++deleted;
    }
    return deleted;
}
