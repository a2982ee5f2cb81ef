#include "sample_dialogs.h"

#include "gdi.h"
#include "image.h"
#include "resource.h"

#include <commctrl.h>

namespace {

constexpr UINT kCaptureMessage = WM_APP + 1;

// Shows and saves the whole window (frame included) as folder\name; true
// when written.
bool CaptureInto(HWND window, const std::wstring& folder, const wchar_t* name) {
    // A modal dialog shows itself only once its queue runs empty.
    ShowWindow(window, SW_SHOWNORMAL);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return SavePng(CaptureWholeWindow(window), folder + L"\\" + name);
}

} // namespace

// ---- KUIBaseDlg ----

const MessageEntry<CSampleBaseDlg> CSampleBaseDlg::kMessages[] = {
    {WM_INITDIALOG, &CSampleBaseDlg::OnInitDialog},
    {kCaptureMessage, &CSampleBaseDlg::OnCapture},
};

const MessageMap CSampleBaseDlg::messageMap =
    ChainMessageTable<CSampleBaseDlg, CSampleBaseDlg::kMessages>(&KUIBaseDlg::messageMap);

CSampleBaseDlg::CSampleBaseDlg(HWND parent, const std::wstring& captureFolder)
    : KUIBaseDlg(IDD_SAMPLE_BASE, parent), m_captureFolder(captureFolder) {}

const MessageMap* CSampleBaseDlg::GetMessageMap() const {
    return &messageMap;
}

LRESULT CSampleBaseDlg::OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled) {
    const LRESULT result = KUIBaseDlg::OnInitDialog(wParam, lParam, handled);
    SetTitle(L"导出快照 (KUIBaseDlg)");
    SetDlgItemTextW(m_hWnd, IDC_NAME, L"任务12_对象3.jpg");
    SendDlgItemMessageW(m_hWnd, IDC_RECENT, PBM_SETPOS, 60, 0);
    if (!m_captureFolder.empty())
        PostMessageW(m_hWnd, kCaptureMessage, 0, 0);
    return result;
}

LRESULT CSampleBaseDlg::OnCapture(WPARAM, LPARAM, bool&) {
    End(CaptureInto(m_hWnd, m_captureFolder, L"skinshell-basedlg.png") ? IDOK : IDABORT);
    return 0;
}

// ---- KUIBaseDlgEX ----

const MessageEntry<CSampleExDlg> CSampleExDlg::kMessages[] = {
    {WM_INITDIALOG, &CSampleExDlg::OnInitDialog},
    {kCaptureMessage, &CSampleExDlg::OnCapture},
};

const MessageMap CSampleExDlg::messageMap =
    ChainMessageTable<CSampleExDlg, CSampleExDlg::kMessages>(&KUIBaseDlgEX::messageMap);

CSampleExDlg::CSampleExDlg(HWND parent, const std::wstring& captureFolder)
    : KUIBaseDlgEX(IDD_SAMPLE_EX, parent), m_captureFolder(captureFolder) {}

const MessageMap* CSampleExDlg::GetMessageMap() const {
    return &messageMap;
}

LRESULT CSampleExDlg::OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled) {
    const LRESULT result = KUIBaseDlgEX::OnInitDialog(wParam, lParam, handled);
    for (const wchar_t* task : {L"任务 7  停车场入口", L"任务 12  东门通道", L"任务 31  上传视频"})
        SendDlgItemMessageW(m_hWnd, IDC_RECENT, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(task));
    SendDlgItemMessageW(m_hWnd, IDC_RECENT, LB_SETCURSEL, 1, 0);
    CheckRadioButton(m_hWnd, IDC_KIND_PERSON, IDC_KIND_VEHICLE, IDC_KIND_PERSON);
    if (!m_captureFolder.empty())
        PostMessageW(m_hWnd, kCaptureMessage, 0, 0);
    return result;
}

LRESULT CSampleExDlg::OnCapture(WPARAM, LPARAM, bool&) {
    End(CaptureInto(m_hWnd, m_captureFolder, L"skinshell-basedlgex.png") ? IDOK : IDABORT);
    return 0;
}

// ---- KUIFrameDialog ----

const MessageEntry<CSampleFrameDlg> CSampleFrameDlg::kMessages[] = {
    {WM_INITDIALOG, &CSampleFrameDlg::OnInitDialog},
    {WM_COMMAND, &CSampleFrameDlg::OnCommand},
    {WM_PAINT, &CSampleFrameDlg::OnPaint},
    {kCaptureMessage, &CSampleFrameDlg::OnCapture},
};

const MessageMap CSampleFrameDlg::messageMap =
    ChainMessageTable<CSampleFrameDlg, CSampleFrameDlg::kMessages>(&KUIFrameDialog::messageMap);

CSampleFrameDlg::CSampleFrameDlg(const std::wstring& captureFolder)
    : KUIFrameDialog(IDD_SAMPLE_FRAME), m_captureFolder(captureFolder) {}

const MessageMap* CSampleFrameDlg::GetMessageMap() const {
    return &messageMap;
}

LRESULT CSampleFrameDlg::OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled) {
    const LRESULT result = KUIFrameDialog::OnInitDialog(wParam, lParam, handled);
    if (!IsWindow(m_hWnd))
        return result;
    SetDlgItemTextW(m_hWnd, IDC_SERVER, L"127.0.0.40:8040");
    SetDlgItemTextW(m_hWnd, IDC_TASK, L"东门通道 早高峰");
    for (const wchar_t* speed : {L"1 倍", L"2 倍", L"4 倍"})
        SendDlgItemMessageW(m_hWnd, IDC_SPEED, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(speed));
    SendDlgItemMessageW(m_hWnd, IDC_SPEED, CB_SETCURSEL, 1, 0);
    CheckDlgButton(m_hWnd, IDC_NOTIFY, BST_CHECKED);
    if (!m_captureFolder.empty())
        PostMessageW(m_hWnd, kCaptureMessage, 0, 0);
    return result;
}

LRESULT CSampleFrameDlg::OnCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (LOWORD(wParam)) {
    case IDC_OPEN_BASE: {
        CSampleBaseDlg dialog(m_hWnd, L"");
        dialog.RunModal();
        ShowStatus(L"KUIBaseDlg 已关闭");
        return 0;
    }
    case IDC_OPEN_EX: {
        CSampleExDlg dialog(m_hWnd, L"");
        dialog.RunModal();
        ShowStatus(L"KUIBaseDlgEX 已关闭");
        return 0;
    }
    case IDC_NOTIFY:
        ShowStatus(IsDlgButtonChecked(m_hWnd, IDC_NOTIFY) ? L"完成后提醒: 开" : L"完成后提醒: 关");
        return 0;
    default:
        return KUIFrameDialog::OnCommand(wParam, lParam, handled);
    }
}

void CSampleFrameDlg::DrawStatus(HDC dc) {
    RECT content = {};
    GetClientRectEX(&content);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    RECT status = {content.left + 6, content.bottom, client.right - 40, client.bottom};
    SelectObjectScope font(dc, reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(70, 80, 94));
    DrawTextW(dc, m_status.c_str(), -1, &status, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// The status text goes over the status strip the frame painted.
LRESULT CSampleFrameDlg::OnPaint(WPARAM, LPARAM, bool&) {
    PaintDC dc(m_hWnd);
    DrawStatus(dc.Get());
    return 0;
}

void CSampleFrameDlg::ShowStatus(const std::wstring& text) {
    m_status = text;
    EraseStatuBk();
    WindowDC dc(m_hWnd);
    DrawStatus(dc.Get());
}

LRESULT CSampleFrameDlg::OnCapture(WPARAM, LPARAM, bool&) {
    m_captured = 0;
    if (CaptureInto(m_hWnd, m_captureFolder, L"skinshell-framedialog.png"))
        ++m_captured;
    CSampleBaseDlg base(m_hWnd, m_captureFolder);
    if (base.RunModal() == IDOK)
        ++m_captured;
    CSampleExDlg ex(m_hWnd, m_captureFolder);
    if (ex.RunModal() == IDOK)
        ++m_captured;
    End(IDOK);
    return 0;
}
