#include "image_encoders.h"

#include <gdiplus.h>

#include <vector>

namespace {

// Calls match(codec) for every installed encoder until it returns true.
template <class Match> bool FindEncoder(Match match, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (match(codecs[i])) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towupper(c));
    return text;
}

} // namespace

bool FindImageEncoder(const wchar_t* mimeType, CLSID& clsid) {
    return FindEncoder(
        [&](const Gdiplus::ImageCodecInfo& codec) {
            return codec.MimeType != nullptr && wcscmp(codec.MimeType, mimeType) == 0;
        },
        clsid);
}

bool FindImageEncoderForFile(const std::wstring& path, CLSID& clsid) {
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring::npos || path[dot] != L'.' || dot + 1 == path.size())
        return false;
    const std::wstring wanted = L"*" + Upper(path.substr(dot));
    return FindEncoder(
        [&](const Gdiplus::ImageCodecInfo& codec) {
            if (codec.FilenameExtension == nullptr)
                return false;
            // The list is "*.A;*.B;...": look for the whole entry.
            const std::wstring list = L";" + Upper(codec.FilenameExtension) + L";";
            return list.find(L";" + wanted + L";") != std::wstring::npos;
        },
        clsid);
}
