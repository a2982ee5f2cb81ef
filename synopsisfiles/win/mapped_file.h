// A whole file mapped read-only for reading in place. The file is opened
// without sharing, so the object must go before anyone else can open it;
// the view, the mapping and the file handle are all released with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

class MappedFile {
public:
    enum class OpenResult { Mapped, CannotOpen, CannotMap };

    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens an existing file exclusively and maps all of it. On CannotOpen,
    // OpenError() holds the system's error number. An empty file cannot be
    // mapped.
    OpenResult Open(const std::wstring& path);
    DWORD OpenError() const { return m_openError; }

    std::span<const uint8_t> Bytes() const { return {m_view, m_size}; }

private:
    void Close();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    HANDLE m_mapping = nullptr;
    const uint8_t* m_view = nullptr;
    size_t m_size = 0;
    DWORD m_openError = 0;
};
