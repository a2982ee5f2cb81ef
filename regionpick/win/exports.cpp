// The library's two entry points, by name with the C calling convention.
// Nothing escapes them but their result.
#include "search_picture_run.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

namespace {

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Fits(const wchar_t* buffer, uint32_t size, const std::wstring& text) {
    return buffer != nullptr && text.size() < size;
}

} // namespace

// Runs the picker with no picture; on success fills the two buffers (sizes in
// characters, terminating zero included) with the paths of obj.jpg and
// mask.bin and returns 1. Otherwise returns 0 and leaves both untouched.
extern "C" int __cdecl ShowSearchPictureDlg2(wchar_t* objPath, uint32_t objPathSize,
                                             wchar_t* maskPath, uint32_t maskPathSize) {
    try {
        const SearchPictureResult result = RunSearchPicture(std::wstring());
        if (!result.confirmed || !result.filesWritten || !FileExists(result.objPath) ||
            !FileExists(result.maskPath))
            return 0;
        if (!Fits(objPath, objPathSize, result.objPath) ||
            !Fits(maskPath, maskPathSize, result.maskPath))
            return 0;
        wmemcpy(objPath, result.objPath.c_str(), result.objPath.size() + 1);
        wmemcpy(maskPath, result.maskPath.c_str(), result.maskPath.size() + 1);
        return 1;
    } catch (...) {
        return 0;
    }
}

// Runs the picker showing picture at start. When the operator confirms,
// picture and mask receive the paths of obj.jpg and mask.bin, and the result
// is 1 when the files were written; on cancel both stay as they were.
extern "C" int __cdecl ShowSearchPictureDlg(std::wstring& picture, std::wstring& mask) {
    try {
        const SearchPictureResult result = RunSearchPicture(picture);
        if (!result.confirmed)
            return 0;
        picture = result.objPath;
        mask = result.maskPath;
        return result.filesWritten ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
