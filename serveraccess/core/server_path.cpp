#include "server_path.h"

#include <algorithm>

int ServerPathToUrl(std::wstring_view server, std::wstring& path, std::wstring& url) {
    path.erase(std::remove_if(path.begin(), path.end(),
                              [](wchar_t c) { return c == L'\t' || c == L'\n' || c == L'\r'; }),
               path.end());

    const size_t found = path.find(kServerDataFolder);
    const long long p = found == std::wstring::npos ? -1 : static_cast<long long>(found);
    const long long length = static_cast<long long>(path.size());
    const long long count = length - p - static_cast<long long>(kServerDataFolder.size());

    std::wstring rel;
    if (count >= length)
        rel = path;
    else if (count > 0)
        rel = path.substr(static_cast<size_t>(length - count));
    if (rel.empty())
        return 0;

    std::replace(rel.begin(), rel.end(), L'\\', L'/');
    url = L"http://" + std::wstring(server) + L"/" + rel;
    return 1;
}
