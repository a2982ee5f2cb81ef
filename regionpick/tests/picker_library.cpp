#include "picker_library.h"

#include "module_path.h"
#include "proc_address.h"
#include "test_fixture.h"

PickerLibrary::PickerLibrary(const std::string& testName, const wchar_t* dllName)
    : m_folder(MakeLocalScratchFolder(testName)) {
    const std::wstring programs = ModuleFolder(GetModuleHandleW(nullptr));
    const std::wstring library = m_folder + L"\\" + dllName;
    if (!CopyFileW((programs + L"\\" + dllName).c_str(), library.c_str(), FALSE) ||
        !CopyFileW((programs + L"\\CommonKit.dll").c_str(), (m_folder + L"\\CommonKit.dll").c_str(),
                   FALSE))
        return;
    // As the controls load it: its own imports resolve from its folder.
    m_module = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    m_dlg2 = GetProc<ShowDlg2>(m_module, "ShowSearchPictureDlg2");
    m_dlg = GetProc<ShowDlg>(m_module, "ShowSearchPictureDlg");
}

PickerLibrary::~PickerLibrary() {
    if (m_module)
        FreeLibrary(m_module);
}

std::wstring PictureFolder(const std::string& testName) {
    return MakeLocalScratchFolder(testName + "_pictures");
}
