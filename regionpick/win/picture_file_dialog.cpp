#include "picture_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace {

// Filter in the "description|patterns|" form, "|" standing for the zero
// separators the dialog wants.
constexpr wchar_t kPictureFilter[] = L"图片 (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|";

std::wstring ZeroSeparated(const wchar_t* filter) {
    std::wstring result(filter);
    for (wchar_t& c : result)
        if (c == L'|')
            c = L'\0';
    result.push_back(L'\0');
    return result;
}

} // namespace

bool AskForPictureFile(HWND owner, std::wstring& path) {
    const std::wstring filter = ZeroSeparated(kPictureFilter);
    // Room for long paths: a name near the server's limit in a deep folder
    // must not make the dialog fail.
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&dialog))
        return false;
    path.assign(buffer.data());
    return true;
}
