// Owners of WinInet handles: each object holds at most one handle and closes
// it when destroyed. Declared in the order an operation creates them; an
// operation destroys them in reverse (request, connection, session).
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

class CInternetHandle {
public:
    CInternetHandle() = default;
    explicit CInternetHandle(HINTERNET handle) : m_hHandle(handle) {}
    virtual ~CInternetHandle() { Close(); }

    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;

    HINTERNET Get() const { return m_hHandle; }
    bool IsEmpty() const { return m_hHandle == nullptr; }
    void Close();

protected:
    HINTERNET m_hHandle = nullptr;
};

// A session from InternetOpenW. A null agent means the host process's
// executable name without folder and extension.
class CInternetSession : public CInternetHandle {
public:
    CInternetSession(DWORD accessType, const wchar_t* agent);
};

// An HTTP connection from InternetConnectW with empty user name and password.
class CInternetConnection : public CInternetHandle {
public:
    CInternetConnection(const CInternetSession& session, const std::wstring& host,
                        INTERNET_PORT port);
};

// A handle that can be read.
class CInternetFile : public CInternetHandle {
public:
    using CInternetHandle::CInternetHandle;

    // Reads up to size bytes; false when WinInet reports a failure.
    bool Read(void* buffer, DWORD size, DWORD& bytesRead);
};

// A request from HttpOpenRequestW (HTTP/1.0, accept "*/*") or InternetOpenUrlW.
class CHttpFile : public CInternetFile {
public:
    CHttpFile() = default;
    CHttpFile(const CInternetConnection& connection, const wchar_t* verb,
              const std::wstring& object, DWORD flags);

    // Opens url directly on the session.
    static void OpenUrl(const CInternetSession& session, const std::wstring& url, DWORD flags,
                        CHttpFile& file);

    // The reply's status code, or 0 when it cannot be read.
    DWORD StatusCode() const;
    // The Content-Length the server announced, or -1 when there is none.
    long long ContentLength() const;
};

// The host process's executable file name without folder and extension.
std::wstring ProcessBaseName();
