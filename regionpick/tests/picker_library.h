// The picker library as its callers use it: a copy of the DLL (and the
// CommonKit DLL it imports) in a test's own folder, loaded by path and called
// through its exports. Its output folder is then <that folder>\SearchPicture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class PickerLibrary {
public:
    using ShowDlg2 = int(__cdecl*)(wchar_t*, uint32_t, wchar_t*, uint32_t);
    using ShowDlg = int(__cdecl*)(std::wstring&, std::wstring&);

    // Copies dllName from the build's program folder into a fresh folder
    // named after the test and loads it from there.
    PickerLibrary(const std::string& testName, const wchar_t* dllName = L"RegionPick.dll");
    ~PickerLibrary();
    PickerLibrary(const PickerLibrary&) = delete;
    PickerLibrary& operator=(const PickerLibrary&) = delete;

    bool Loaded() const { return m_module != nullptr && m_dlg2 != nullptr && m_dlg != nullptr; }
    ShowDlg2 Dlg2() const { return m_dlg2; }
    ShowDlg Dlg() const { return m_dlg; }

    const std::wstring& Folder() const { return m_folder; }
    std::wstring OutputFolder() const { return m_folder + L"\\SearchPicture"; }
    std::wstring ObjPath() const { return OutputFolder() + L"\\obj.jpg"; }
    std::wstring MaskPicturePath() const { return OutputFolder() + L"\\mask.jpg"; }
    std::wstring MaskPath() const { return OutputFolder() + L"\\mask.bin"; }

private:
    std::wstring m_folder;
    HMODULE m_module = nullptr;
    ShowDlg2 m_dlg2 = nullptr;
    ShowDlg m_dlg = nullptr;
};

// A folder of the test's own for its pictures (not the library's folder).
std::wstring PictureFolder(const std::string& testName);
