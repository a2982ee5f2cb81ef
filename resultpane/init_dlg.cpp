#include "init_dlg.h"

#include "module_path.h"
#include "resource.h"

const MessageEntry<CInitDlg> CInitDlg::kMessages[] = {
    {WM_INITDIALOG, &CInitDlg::OnInitDialog},
    {WM_ERASEBKGND, &CInitDlg::OnEraseBkgnd},
};

CInitDlg::CInitDlg() : Dialog(IDD_INITDLG) {}

bool CInitDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

LRESULT CInitDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    const std::wstring logo = ModuleFolder() + L"\\skin\\center_logo.png";
    if (GetFileAttributesW(logo.c_str()) != INVALID_FILE_ATTRIBUTES)
        m_logo.Load(logo);
    return TRUE;
}

LRESULT CInitDlg::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (m_logo.IsNull()) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    // The logo's top-left pixel, stretched, becomes the background colour.
    const RECT corner = {0, 0, 1, 1};
    m_logo.StretchDraw(dc, client, corner);
    m_logo.Draw(dc, (client.right - m_logo.Width()) / 2, (client.bottom - m_logo.Height()) / 2);
    return 1;
}
