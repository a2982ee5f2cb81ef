#include "download_name.h"

#include "text_number.h"

#include <cwctype>

namespace {

// Undoes %XX escapes of single bytes below 0x80; others stay as written.
std::wstring Unescaped(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size()) {
            const int high = HexDigitValue(text[i + 1]), low = HexDigitValue(text[i + 2]);
            if (high >= 0 && low >= 0 && high < 8) {
                out += static_cast<wchar_t>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool AllowedInFileName(wchar_t c) {
    return c >= 0x20 && c != 0x7F && std::wstring(L"<>:\"/\\|?*").find(c) == std::wstring::npos;
}

} // namespace

std::wstring DownloadFileNameOf(const std::wstring& url) {
    std::wstring path = url.substr(0, url.find_first_of(L"?#"));
    const size_t scheme = path.find(L"://");
    if (scheme != std::wstring::npos)
        path = path.substr(scheme + 3);
    const size_t slash = path.find_last_of(L'/');
    std::wstring name = slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
    name = Unescaped(name);
    for (wchar_t& c : name)
        if (!AllowedInFileName(c))
            c = L'_';
    // Names of only dots or blanks are no names.
    if (name.find_first_not_of(L". ") == std::wstring::npos)
        return L"download";
    return name;
}

std::wstring DownloadProgressText(long long received, long long announced) {
    std::wstring text = std::to_wstring(received / 1024) + L" KB";
    if (announced >= 0)
        text += L" / " + std::to_wstring(announced / 1024) + L" KB";
    return text;
}
