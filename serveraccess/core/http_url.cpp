#include "http_url.h"

#include "text_number.h"

int SplitHttpUrl(const wchar_t* url, std::wstring& host, std::wstring& object, uint16_t& port) {
    if (url == nullptr)
        return 0;
    const std::wstring_view text(url);
    constexpr size_t kSchemeLength = 7; // "http://"

    size_t slash = std::wstring_view::npos;
    if (text.size() > kSchemeLength)
        slash = text.find(L'/', kSchemeLength);

    if (slash == std::wstring_view::npos) {
        host.clear();
        object.assign(text);
    } else {
        host.assign(text.substr(kSchemeLength, slash - kSchemeLength));
        object.assign(text.substr(slash + 1));
    }

    const size_t colon = host.find(L':');
    if (colon != std::wstring::npos) {
        port = static_cast<uint16_t>(ParseDecimalInt(std::wstring_view(host).substr(colon + 1)));
        host.resize(colon);
    } else {
        port = 80;
    }
    return 1;
}
