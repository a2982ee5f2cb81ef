#include "snapshot_dlg.h"

#include "resource.h"

const MessageEntry<CSnapShotDlg> CSnapShotDlg::kMessages[] = {
    {WM_INITDIALOG, &CSnapShotDlg::OnInitDialog},
    {WM_SIZE, &CSnapShotDlg::OnSize},
};

CSnapShotDlg::CSnapShotDlg() : Dialog(IDD_SNAPSHOTDLG) {}

bool CSnapShotDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

void CSnapShotDlg::SetPage(const std::wstring& server, int32_t taskId, int32_t objClass) {
    m_strUrl = L"http://" + server + L"/snapshot1pagedb.php?id=" + std::to_wstring(taskId) +
               L"&class=" + (objClass != 0 ? L"obj" : L"tube");
    m_strSvrIP = server;
    m_nTaskID = taskId;
    m_bObjClass = objClass;
}

LRESULT CSnapShotDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    return TRUE;
}

LRESULT CSnapShotDlg::OnSize(WPARAM, LPARAM lParam, bool&) {
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    RECT item = {};
    GetWindowRect(Item(IDC_SNAP_COLUMN1), &item);
    const int bw = item.right - item.left, bh = item.bottom - item.top;
    // Computed on unsigned values, as the strip has always done.
    const int x0 =
        static_cast<int>((static_cast<uint32_t>(w) - 4u * static_cast<uint32_t>(bw)) / 2u);
    for (int k = 0; k < 4; ++k)
        SetWindowPos(Item(IDC_SNAP_COLUMN1 + k), nullptr, x0 + k * bw, h - 40, bw, bh,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    GetClientRect(Item(IDC_SNAP_DOWNLOAD), &client);
    SetWindowPos(Item(IDC_SNAP_DOWNLOAD), nullptr, w - client.right - 10, h - 37, bw, bh,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(Item(IDC_SNAP_SEARCH), &client);
    SetWindowPos(Item(IDC_SNAP_SEARCH), nullptr, w - client.right - 40, h - 40, bw, bh,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}
