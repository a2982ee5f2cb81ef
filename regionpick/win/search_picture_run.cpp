#include "search_picture_run.h"

#include "gdiplus_session.h"
#include "module_path.h"
#include "search_picture_dlg.h"
#include "target_files.h"

namespace {

// The window the modal dialog disables while it runs: the top-level window
// of the caller's active window, if any.
HWND CallerWindow() {
    HWND active = GetActiveWindow();
    return active != nullptr ? GetAncestor(active, GA_ROOT) : nullptr;
}

} // namespace

SearchPictureResult RunSearchPicture(const std::wstring& initialPicture) {
    SearchPictureResult result;
    // Pictures are decoded, drawn and encoded while the dialog runs and after.
    GdiplusSession gdiplus;
    SearchPictureDlg dialog;
    dialog.m_strInitPicture = initialPicture;
    // The template and everything else come from this library's own module.
    if (dialog.RunModal(CallerWindow(), ThisModule()) != IDOK)
        return result;
    result.confirmed = true;
    const TargetFilePaths paths = TargetFilePaths::In(dialog.SaveDir());
    result.objPath = paths.objPicture;
    result.maskPath = paths.maskBytes;
    // Files left from an earlier run must not pass for this run's; when the
    // pictures could not be written, the earlier run's three files are left
    // together rather than given this run's mask.
    result.filesWritten = dialog.TargetFilesSaved() && dialog.Canvas().SaveMaskBin() == 1;
    return result;
}
