#include "http_client.h"

#include "internet_handles.h"
#include "thread_codepage.h"

#include <vector>

namespace {

constexpr DWORD kChunkSize = 4096;
constexpr DWORD kGetFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION;
constexpr DWORD kPostFlags = INTERNET_FLAG_KEEP_CONNECTION;

// Reads the reply in chunks, converting each from the thread's ANSI code page.
// A character split between two chunks is held back and converted whole.
void ReadReplyText(CHttpFile& request, std::wstring& reply) {
    if (request.IsEmpty())
        return;
    MultibyteChunkJoiner joiner(ThreadAnsiCodePageShape());
    const auto append = [&reply](const char* bytes, size_t count) {
        AppendAnsiAsWide(bytes, count, reply);
    };
    char buffer[kChunkSize];
    DWORD read = 0;
    while (request.Read(buffer, kChunkSize, read) && read > 0)
        joiner.Feed(buffer, read, append);
    joiner.Finish(append);
}

// An open file that the download appends to, and restores on failure: bytes
// appended by a failed download are cut off again, and a file the download
// created is removed, so a half-written body never looks like a good file.
class AppendTarget {
public:
    explicit AppendTarget(const wchar_t* path) : m_path(path) {
        m_existed = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
        m_file = CreateFileW(path, FILE_APPEND_DATA | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file != INVALID_HANDLE_VALUE && !GetFileSizeEx(m_file, &m_originalSize))
            m_originalSize.QuadPart = 0;
    }
    ~AppendTarget() {
        if (m_file == INVALID_HANDLE_VALUE)
            return;
        if (!m_committed) {
            SetFilePointerEx(m_file, m_originalSize, nullptr, FILE_BEGIN);
            SetEndOfFile(m_file);
        }
        CloseHandle(m_file);
        if (!m_committed && !m_existed)
            DeleteFileW(m_path.c_str());
    }
    AppendTarget(const AppendTarget&) = delete;
    AppendTarget& operator=(const AppendTarget&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    bool Write(const char* bytes, DWORD count) {
        LARGE_INTEGER end = {};
        SetFilePointerEx(m_file, end, nullptr, FILE_END);
        DWORD written = 0;
        return WriteFile(m_file, bytes, count, &written, nullptr) && written == count;
    }
    void Commit() { m_committed = true; }

private:
    std::wstring m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    LARGE_INTEGER m_originalSize = {};
    bool m_existed = false;
    bool m_committed = false;
};

} // namespace

int HttpGetText(const wchar_t* url, std::wstring& reply) {
    reply.clear();
    if (url == nullptr)
        return 0;
    std::wstring host, object;
    INTERNET_PORT port = 80;
    SplitHttpUrl(url, host, object, port);

    CInternetSession session(INTERNET_OPEN_TYPE_DIRECT, L"");
    CInternetConnection connection(session, host, port);
    CHttpFile request(connection, L"GET", object, kGetFlags);
    if (!request.IsEmpty())
        HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0);
    ReadReplyText(request, reply);
    return 1;
}

int HttpPostForm(const wchar_t* url, const std::wstring& body, std::wstring& reply) {
    reply.clear();
    if (url == nullptr)
        return 0;
    std::wstring host, object;
    INTERNET_PORT port = 80;
    SplitHttpUrl(url, host, object, port);

    CInternetSession session(INTERNET_OPEN_TYPE_DIRECT, L"OCX");
    CInternetConnection connection(session, host, port);
    CHttpFile request(connection, L"POST", object, kPostFlags);
    if (request.IsEmpty())
        return 0;
    static const wchar_t kContentType[] = L"Content-Type: application/x-www-form-urlencoded";
    HttpAddRequestHeadersW(request.Get(), kContentType, static_cast<DWORD>(-1),
                           HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    std::string bytes = WideToThreadAnsi(body);
    const BOOL sent =
        HttpSendRequestW(request.Get(), nullptr, 0, bytes.empty() ? nullptr : bytes.data(),
                         static_cast<DWORD>(bytes.size()));
    if (sent)
        ReadReplyText(request, reply);
    return sent ? 1 : 0;
}

int HttpDownloadFile(const wchar_t* url, const wchar_t* localPath) {
    return HttpDownloadFile(url, localPath, DownloadProgress());
}

int HttpDownloadFile(const wchar_t* url, const wchar_t* localPath,
                     const DownloadProgress& progress) {
    if (url == nullptr || localPath == nullptr)
        return 0;
    CInternetSession session(INTERNET_OPEN_TYPE_PRECONFIG, nullptr);
    CHttpFile request;
    CHttpFile::OpenUrl(session, url, kGetFlags, request);
    if (request.IsEmpty() || request.StatusCode() != 200)
        return 0;

    AppendTarget target(localPath);
    if (!target.IsOpen())
        return 0;
    const long long announced = request.ContentLength();
    long long received = 0;
    std::vector<char> buffer(kChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!request.Read(buffer.data(), kChunkSize, read))
            return 0;
        if (read == 0)
            break;
        if (!target.Write(buffer.data(), read))
            return 0;
        received += read;
        if (progress && !progress(received, announced))
            return 0;
    }
    // A connection that closes early ends the reads like a finished body does.
    if (announced >= 0 && received != announced)
        return 0;
    target.Commit();
    return 1;
}
