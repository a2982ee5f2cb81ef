// skinshell_sample [--capture FOLDER]: the three skinned dialogs of
// SkinShell.dll with ordinary controls in them. The frame dialog is the main
// window; its buttons open the other two. With --capture, each dialog saves
// a picture of itself into FOLDER (skinshell-*.png) and the program ends:
// exit code 0 when all three were written.
#include "sample_dialogs.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

// The skins name their files relative to the current directory ("res\..."):
// run from the program's own folder, where the build puts them.
void RunFromOwnFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/"));
    SetCurrentDirectoryW(folder.c_str());
}

} // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring captureFolder;
    if (arguments != nullptr && count == 3 && std::wstring(arguments[1]) == L"--capture") {
        wchar_t full[MAX_PATH] = {};
        if (GetFullPathNameW(arguments[2], MAX_PATH, full, nullptr) != 0)
            captureFolder = full;
        CreateDirectoryW(captureFolder.c_str(), nullptr);
    }
    LocalFree(arguments);

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RunFromOwnFolder();

    CSampleFrameDlg dialog(captureFolder);
    const INT_PTR result = dialog.RunModal();
    if (!captureFolder.empty())
        return dialog.AllCaptured() ? 0 : 1;
    return result == -1 ? 1 : 0;
}
