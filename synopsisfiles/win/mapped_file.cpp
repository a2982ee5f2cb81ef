#include "mapped_file.h"

#include <cstdint>

MappedFile::~MappedFile() {
    Close();
}

void MappedFile::Close() {
    if (m_view != nullptr)
        UnmapViewOfFile(m_view);
    if (m_mapping != nullptr)
        CloseHandle(m_mapping);
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_view = nullptr;
    m_mapping = nullptr;
    m_file = INVALID_HANDLE_VALUE;
    m_size = 0;
}

MappedFile::OpenResult MappedFile::Open(const std::wstring& path) {
    Close();
    m_file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        m_openError = GetLastError();
        return OpenResult::CannotOpen;
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_file, &size) || size.QuadPart <= 0 ||
        static_cast<uint64_t>(size.QuadPart) > SIZE_MAX)
        return OpenResult::CannotMap;
    m_mapping = CreateFileMappingW(m_file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m_mapping == nullptr)
        return OpenResult::CannotMap;
    m_view = static_cast<const uint8_t*>(MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0));
    if (m_view == nullptr)
        return OpenResult::CannotMap;
    m_size = static_cast<size_t>(size.QuadPart);
    return OpenResult::Mapped;
}
