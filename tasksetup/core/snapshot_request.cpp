#include "snapshot_request.h"

#include "text_number.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr std::wstring_view kFileQuery = L"file=";
constexpr std::wstring_view kOpenTag = L"<snapshot>";
constexpr std::wstring_view kCloseTag = L"</snapshot>";

std::wstring EscapeRequestLineBreakers(std::wstring_view text) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    for (wchar_t c : text) {
        if (c <= L' ' || c == 0x7F) {
            out += L'%';
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

bool AllowedInFileName(wchar_t c) {
    return c >= 32 && std::wstring_view(L"<>:\"/\\|?*").find(c) == std::wstring_view::npos;
}

// Names the system gives to devices whatever the extension.
bool IsDeviceName(std::wstring_view name) {
    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    static const wchar_t* const kDevices[] = {L"CON", L"PRN",    L"AUX",
                                              L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices)
        if (stem == device)
            return true;
    return stem.size() == 4 &&
           (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'0' && stem[3] <= L'9';
}

} // namespace

std::optional<std::wstring> SnapshotRequestUrl(std::wstring_view fileUrl,
                                               std::wstring_view server) {
    const int32_t id = ParseDecimalInt(fileUrl);
    std::wstring url = L"http://" + std::wstring(server) + L"/getvideosnapshot.php?";
    if (id > 0)
        return url + L"UserUploadVideoId=" + std::to_wstring(id);
    if (fileUrl.substr(0, kFileQuery.size()) == kFileQuery)
        return url + EscapeRequestLineBreakers(fileUrl);
    return std::nullopt;
}

std::optional<std::wstring> SnapshotPictureUrl(std::wstring_view reply, std::wstring_view server) {
    const size_t open = reply.find(kOpenTag);
    if (open == std::wstring_view::npos)
        return std::nullopt;
    const size_t start = open + kOpenTag.size();
    const size_t close = reply.find(kCloseTag, start);
    if (close == std::wstring_view::npos || close == start)
        return std::nullopt;
    std::wstring path(reply.substr(start, close - start));
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return L"http://" + std::wstring(server) + path;
}

bool IsHttpUrl(std::wstring_view url) {
    return url.substr(0, 7) == L"http://";
}

std::optional<std::wstring> DownloadFileName(std::wstring_view url) {
    const size_t end = std::min(url.find(L'?'), url.find(L'#'));
    std::wstring_view path = url.substr(0, end);
    const size_t slash = path.find_last_of(L"/\\");
    if (slash != std::wstring_view::npos)
        path.remove_prefix(slash + 1);
    std::wstring name;
    for (wchar_t c : path)
        name += AllowedInFileName(c) ? c : L'_';
    // The system drops trailing dots and blanks; a name of nothing else is none.
    while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        name.pop_back();
    if (name.empty() || IsDeviceName(name))
        return std::nullopt;
    return name;
}
