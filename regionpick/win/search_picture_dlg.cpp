#include "search_picture_dlg.h"

#include "commonkit.h"
#include "module_path.h"
#include "picture_file_dialog.h"
#include "picture_geometry.h"
#include "resource.h"

#include <windowsx.h>

namespace {

constexpr wchar_t kOutlineText[] = L"框选目标";
constexpr wchar_t kOutlineAgainText[] = L"重新框选";
constexpr wchar_t kWarningCaption[] = L" 警告";
constexpr wchar_t kQuoteInNameText[] = L"文件名不能包含服务器不支持的特殊字符(')";
constexpr wchar_t kNameTooLongText[] = L"图片名不能大于 78 个汉字！";
constexpr wchar_t kNoPictureToOutlineText[] = L"请先导入图片后再选择目标！";
constexpr wchar_t kNoPictureToConfirmText[] = L"未导入待搜索的图片!";
constexpr int kMaxNameUnits = 156; // 78 Chinese characters
constexpr int kMinTrackWidth = 600;
constexpr int kMinTrackHeight = 450;

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Place(HWND window, const PixelRect& rect) {
    if (window != nullptr)
        MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

} // namespace

const MessageEntry<SearchPictureDlg> SearchPictureDlg::kMessages[] = {
    {WM_INITDIALOG, &SearchPictureDlg::OnInitDialog},
    {WM_COMMAND, &SearchPictureDlg::OnCommand},
    {WM_SIZE, &SearchPictureDlg::OnSize},
    {WM_GETMINMAXINFO, &SearchPictureDlg::OnGetMinMaxInfo},
};

SearchPictureDlg::SearchPictureDlg()
    : Dialog(IDD_SEARCHPICTURE),
      m_strSaveDir(QN::Util::QNFile::GetCurrentModuleDir(L"") + L"\\SearchPicture") {
    QN::Util::QNFile::MakeSureDirPathExist(m_strSaveDir);
}

bool SearchPictureDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

LRESULT SearchPictureDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    const RECT initial = {0, 0, 20, 20};
    m_canvas.CreateIn(m_hWnd, initial);
    m_canvas.SetSaveDir(m_strSaveDir);
    LayOut();
    if (!m_strInitPicture.empty())
        m_canvas.LoadPicture(m_strInitPicture);
    return TRUE;
}

LRESULT SearchPictureDlg::OnCommand(WPARAM wParam, LPARAM, bool& handled) {
    switch (LOWORD(wParam)) {
    case IDC_IMPORT_PICTURE:
        OnImportPicture();
        break;
    case IDC_SELECT_TARGET:
        OnSelectTarget();
        break;
    case IDOK:
        OnConfirm();
        break;
    case IDCANCEL: // the Cancel button, Esc and closing the window
        End(IDCANCEL);
        break;
    default:
        handled = false;
        break;
    }
    return 0;
}

LRESULT SearchPictureDlg::OnSize(WPARAM, LPARAM lParam, bool& handled) {
    handled = false;
    if (GET_X_LPARAM(lParam) > 0 && GET_Y_LPARAM(lParam) > 0)
        LayOut();
    return 0;
}

LRESULT SearchPictureDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam, bool& handled) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMinTrackWidth;
    info->ptMinTrackSize.y = kMinTrackHeight;
    handled = false; // then the default handling
    return 0;
}

void SearchPictureDlg::LayOut() {
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const SearchPictureLayout layout =
        LayOutSearchPicture(PixelRect{client.left, client.top, client.right, client.bottom});
    Place(Item(IDC_IMPORT_PICTURE), layout.importButton);
    Place(Item(IDC_SELECT_TARGET), layout.outlineButton);
    Place(Item(IDOK), layout.okButton);
    Place(Item(IDCANCEL), layout.cancelButton);
    Place(m_canvas.Hwnd(), layout.canvas);
}

void SearchPictureDlg::OnImportPicture() {
    std::wstring path;
    if (!AskForPictureFile(m_hWnd, path) || path.empty() || !IsExistingFile(path))
        return;
    // The server takes the picture by name: refuse names it cannot handle.
    const std::wstring name = QN::Util::QNFile::GetFileNameFromPath(path);
    if (name.find(L'\'') != std::wstring::npos) {
        MessageBoxW(m_hWnd, kQuoteInNameText, ModuleTitle().c_str(), MB_OK);
        return;
    }
    if (QN::Util::QNString::CheckFileNameLength(name, kMaxNameUnits) == 0) {
        MessageBoxW(m_hWnd, kNameTooLongText, ModuleTitle().c_str(), MB_OK);
        return;
    }
    m_strInitPicture = path;
    m_canvas.LoadPicture(path);
}

void SearchPictureDlg::OnSelectTarget() {
    if (!m_canvas.HasPicture()) {
        MessageBoxW(m_hWnd, kNoPictureToOutlineText, kWarningCaption, MB_OK);
        return;
    }
    m_canvas.StartOutline();
    HWND button = Item(IDC_SELECT_TARGET);
    wchar_t text[32] = {};
    GetWindowTextW(button, text, static_cast<int>(std::size(text)));
    if (wcscmp(text, kOutlineText) == 0)
        SetWindowTextW(button, kOutlineAgainText);
}

void SearchPictureDlg::OnConfirm() {
    if (!m_canvas.HasPicture()) {
        MessageBoxW(m_hWnd, kNoPictureToConfirmText, kWarningCaption, MB_OK);
        return;
    }
    m_targetFilesSaved = m_canvas.SaveTargetFiles() == 1;
    End(IDOK);
}
