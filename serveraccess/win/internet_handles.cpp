#include "internet_handles.h"

#include "module_path.h"

void CInternetHandle::Close() {
    if (m_hHandle != nullptr) {
        InternetCloseHandle(m_hHandle);
        m_hHandle = nullptr;
    }
}

std::wstring ProcessBaseName() {
    const std::wstring path = ModuleFilePath(nullptr);
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.resize(dot);
    return name;
}

CInternetSession::CInternetSession(DWORD accessType, const wchar_t* agent) {
    std::wstring processName;
    if (agent == nullptr) {
        processName = ProcessBaseName();
        agent = processName.c_str();
    }
    m_hHandle = InternetOpenW(agent, accessType, nullptr, nullptr, 0);
}

CInternetConnection::CInternetConnection(const CInternetSession& session, const std::wstring& host,
                                         INTERNET_PORT port) {
    if (session.IsEmpty())
        return;
    m_hHandle =
        InternetConnectW(session.Get(), host.c_str(), port, L"", L"", INTERNET_SERVICE_HTTP, 0, 0);
}

bool CInternetFile::Read(void* buffer, DWORD size, DWORD& bytesRead) {
    bytesRead = 0;
    return InternetReadFile(m_hHandle, buffer, size, &bytesRead) != FALSE;
}

CHttpFile::CHttpFile(const CInternetConnection& connection, const wchar_t* verb,
                     const std::wstring& object, DWORD flags) {
    if (connection.IsEmpty())
        return;
    const wchar_t* acceptTypes[] = {L"*/*", nullptr};
    m_hHandle = HttpOpenRequestW(connection.Get(), verb, object.c_str(), L"HTTP/1.0", nullptr,
                                 acceptTypes, flags, 0);
}

void CHttpFile::OpenUrl(const CInternetSession& session, const std::wstring& url, DWORD flags,
                        CHttpFile& file) {
    file.Close();
    if (session.IsEmpty())
        return;
    file.m_hHandle = InternetOpenUrlW(session.Get(), url.c_str(), nullptr, 0, flags, 0);
}

DWORD CHttpFile::StatusCode() const {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (m_hHandle == nullptr ||
        !HttpQueryInfoW(m_hHandle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return 0;
    return status;
}

long long CHttpFile::ContentLength() const {
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (m_hHandle == nullptr ||
        !HttpQueryInfoW(m_hHandle, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return -1;
    wchar_t* end = nullptr;
    const long long length = wcstoll(text, &end, 10);
    return end != text && length >= 0 ? length : -1;
}
