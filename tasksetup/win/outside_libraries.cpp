#include "outside_libraries.h"

#include "module_path.h"
#include "proc_address.h"

#include <windows.h>

namespace {

constexpr uint32_t kNoColor = 0xFFFFFFFFu;
constexpr uint32_t kPathCapacity = 260;

// Loaded on first use and deliberately never freed; a library that is missing
// is looked for again at the next use.
HMODULE LibraryBesideControl(HMODULE& slot, const wchar_t* name) {
    if (slot == nullptr) {
        const std::wstring path = ModuleFolder() + L"\\" + name;
        // The library finds the libraries it imports in its own folder.
        slot = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return slot;
}

HMODULE HueSamplerLibrary() {
    static HMODULE library = nullptr;
    return LibraryBesideControl(library, L"HueSampler.dll");
}

HMODULE RegionPickLibrary() {
    static HMODULE library = nullptr;
    return LibraryBesideControl(library, L"RegionPick.dll");
}

} // namespace

uint32_t PickScreenColor() {
    using GetHueSamplerFn = COLORREF(__cdecl*)();
    const auto pick = GetProc<GetHueSamplerFn>(HueSamplerLibrary(), "GetHueSampler");
    return pick ? static_cast<uint32_t>(pick()) : kNoColor;
}

bool ChooseSearchPicture(std::wstring& picturePath, std::wstring& maskPath) {
    using ShowDlg2Fn = int(__cdecl*)(wchar_t*, uint32_t, wchar_t*, uint32_t);
    const auto show = GetProc<ShowDlg2Fn>(RegionPickLibrary(), "ShowSearchPictureDlg2");
    if (show == nullptr)
        return false;
    wchar_t picture[kPathCapacity] = {};
    wchar_t mask[kPathCapacity] = {};
    if (show(picture, kPathCapacity, mask, kPathCapacity) == 0)
        return false;
    // The library promises terminated paths; a last zero guards against one
    // that breaks its promise.
    picture[kPathCapacity - 1] = mask[kPathCapacity - 1] = L'\0';
    picturePath = picture;
    maskPath = mask;
    return true;
}
