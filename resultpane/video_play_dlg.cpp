#include "video_play_dlg.h"

#include "escape_url.h"
#include "resource.h"

const MessageEntry<CVideoPlayDlg> CVideoPlayDlg::kMessages[] = {
    {WM_INITDIALOG, &CVideoPlayDlg::OnInitDialog},
    {WM_SIZE, &CVideoPlayDlg::OnSize},
};

namespace {

// The streaming service is reached by host name only.
std::wstring HostPart(const std::wstring& server) {
    return server.substr(0, server.find(L':'));
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

CVideoPlayDlg::CVideoPlayDlg() : Dialog(IDD_VIDEOPLAYDLG) {}

bool CVideoPlayDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

void CVideoPlayDlg::SetVideoSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                                   int32_t segmentStart, int32_t segmentEnd, int32_t compId,
                                   int32_t tubeId, const std::wstring& server) {
    m_videoUrl = EscapeUrl(videoUrl);
    m_videoPath = videoPath;
    m_segmentStart = segmentStart;
    m_segmentEnd = segmentEnd;
    m_compId = compId;
    m_tubeId = tubeId;
    m_serverAddress = HostPart(server);
    m_playMode = segmentEnd != segmentStart ? kObjectSegment : kWholeFile;
    RestartIfShown();
}

void CVideoPlayDlg::SetSynopsisSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                                      const std::wstring& server) {
    m_videoUrl = videoUrl;
    m_videoPath = videoPath;
    m_serverAddress = HostPart(server);
    m_playMode = kSynopsis;
    RestartIfShown();
}

void CVideoPlayDlg::RestartIfShown() {
    if (!Exists())
        return;
    ShowModeButtons();
    RECT client;
    GetClientRect(m_hWnd, &client);
    Layout(client.right, client.bottom);
    StartPlayback();
}

void CVideoPlayDlg::StartPlayback() {
    if (m_videoPath.empty() || m_serverAddress.empty())
        return;
    SetDlgItemTextW(m_hWnd, IDC_FILE_LABEL, FileNameOf(m_videoPath).c_str());
}

void CVideoPlayDlg::ShowModeButtons() {
    const int show = m_playMode == kSynopsis ? SW_SHOW : SW_HIDE;
    ShowWindow(Item(IDC_OBJECT_TOGGLE), show);
    ShowWindow(Item(IDC_TIME_TOGGLE), show);
    SetDlgItemTextW(m_hWnd, IDC_PLAY_PAUSE, L"暂停");
}

LRESULT CVideoPlayDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    SetWindowLongPtrW(m_hWnd, GWL_STYLE,
                      GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    ShowModeButtons();
    StartPlayback();
    return TRUE;
}

LRESULT CVideoPlayDlg::OnSize(WPARAM, LPARAM lParam, bool&) {
    Layout(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

void CVideoPlayDlg::MoveItem(int id, int x, int y, int width, int height) {
    HWND item = Item(id);
    if (item == nullptr)
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (width < 0 || height < 0)
        flags |= SWP_NOSIZE;
    SetWindowPos(item, nullptr, x, y, width, height, flags);
}

void CVideoPlayDlg::Layout(int w, int h) {
    MoveItem(IDC_FILE_LABEL, 0, 0, w - 105, 20);
    MoveItem(IDC_VIDEO_WINDOW, 0, 0, w, h - 70);
    MoveItem(IDC_PROGRESS_SLIDER, 0, h - 70, w, 17);
    MoveItem(IDC_PLAY_PAUSE, 10, h - 55);
    MoveItem(IDC_STOP, 75, h - 40);
    MoveItem(IDC_TIME_TOGGLE, w - 227, h - 30);
    MoveItem(IDC_OBJECT_TOGGLE, w - 172, h - 30);
    MoveItem(IDC_CAPTURE, w - 117, h - 30);
    ShowWindow(Item(IDC_CUT), SW_HIDE);
    MoveItem(IDC_CUT, w - 85, h - 25);
    MoveItem(IDC_DOWNLOAD, w - 65, h - 25);
    MoveItem(IDC_FULL_SCREEN, w - 40, h - 35);
    MoveItem(IDC_TIME_LABEL, w - 100, h - 50, 100, 15);
    // The file-name label lies over the video window: keep it on top.
    SetWindowPos(Item(IDC_FILE_LABEL), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}
