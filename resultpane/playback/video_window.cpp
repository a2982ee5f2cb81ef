#include "video_window.h"

#include "overlay_geometry.h"

#include <windowsx.h>

const MessageEntry<CVideoWindow> CVideoWindow::kMessages[] = {
    {WM_SIZE, &CVideoWindow::OnSize},           {WM_ERASEBKGND, &CVideoWindow::OnEraseBkgnd},
    {WM_NCHITTEST, &CVideoWindow::OnNcHitTest}, {WM_LBUTTONDBLCLK, &CVideoWindow::OnLButtonDblClk},
    {WM_RBUTTONUP, &CVideoWindow::OnRButtonUp}, {WM_KEYDOWN, &CVideoWindow::OnKeyDown},
    {WM_CLOSE, &CVideoWindow::OnClose},
};

CVideoWindow::CVideoWindow() : m_track(std::make_shared<TrackSlot>()) {}

bool CVideoWindow::Create(HWND parent, const RECT& rect, int id) {
    m_panel = parent;
    if (!CustomWindow::Create(
            L"CVideoWindow", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, rect,
            parent, L"", CS_DBLCLKS, nullptr, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
        return false;
    // Below the panel's other items: the labels that lie over it stay visible.
    SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CVideoWindow::LoadBackground(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES || !m_background.Load(path))
        m_background.Reset();
}

bool CVideoWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

void CVideoWindow::DrawTrack(HDC dc, int32_t frame, uint32_t width, uint32_t height) const {
    const std::shared_ptr<const Track> track = m_track->Current();
    DrawTrackBox(dc, *track, frame, width, height, m_trackStyle);
}

LRESULT CVideoWindow::OnSize(WPARAM, LPARAM lParam, bool&) {
    if (m_player)
        m_player->Extension19(0, 0, LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT CVideoWindow::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    const int state = m_player ? m_player->GetState() : kNoPlayer;
    if (state != kPlayPlaying && state != kPlayPaused) {
        RECT client;
        GetClientRect(m_hWnd, &client);
        if (m_background.IsNull()) {
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        } else {
            // The picture's corner colour fills the window; the picture sits in its middle.
            m_background.StretchDraw(dc, client, RECT{0, 0, 1, 1});
            m_background.Draw(dc, (client.right - m_background.Width()) / 2,
                              (client.bottom - m_background.Height()) / 2);
        }
    }
    if (m_player && m_player->IsOpen())
        m_player->Refresh();
    return 1;
}

LRESULT CVideoWindow::OnNcHitTest(WPARAM, LPARAM, bool&) {
    return HTCLIENT;
}

std::optional<SynopsisObject> CVideoWindow::HitTest(LPARAM point) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    int videoWidth = 0, videoHeight = 0;
    if (m_player)
        m_player->GetVideoSize(videoWidth, videoHeight);
    const auto picture = ClientToPicture(GET_X_LPARAM(point), GET_Y_LPARAM(point), client.right,
                                         client.bottom, videoWidth, videoHeight);
    if (!picture)
        return std::nullopt;
    return m_overlay.HitTest(static_cast<uint64_t>(picture->x), static_cast<uint64_t>(picture->y));
}

void CVideoWindow::SendObjectMessage(UINT message, const SynopsisObject& object) const {
    if (m_panel == nullptr || !IsWindow(m_panel))
        return;
    const uint32_t start = static_cast<uint32_t>(object.segmentStart);
    int32_t frames[2] = {static_cast<int32_t>(start + object.segmentLength),
                         static_cast<int32_t>(start)};
    int32_t ids[2] = {static_cast<int32_t>(object.tubeid), static_cast<int32_t>(object.compid)};
    SendMessageW(m_panel, message, reinterpret_cast<WPARAM>(frames), reinterpret_cast<LPARAM>(ids));
}

LRESULT CVideoWindow::OnLButtonDblClk(WPARAM, LPARAM lParam, bool&) {
    const auto hit = HitTest(lParam);
    if (!hit) {
        if (m_fullScreen)
            LeaveFullScreen();
        else
            EnterFullScreen();
        return 0;
    }
    // Full screen is left first: the panel's listeners may replace the panel.
    if (m_fullScreen)
        LeaveFullScreen();
    SendObjectMessage(kObjectDoubleClickedMessage, *hit);
    return 0;
}

LRESULT CVideoWindow::OnRButtonUp(WPARAM, LPARAM lParam, bool&) {
    if (const auto hit = HitTest(lParam))
        SendObjectMessage(kObjectRightClickedMessage, *hit);
    return 0;
}

LRESULT CVideoWindow::OnKeyDown(WPARAM key, LPARAM, bool& handled) {
    if (key == VK_ESCAPE && m_fullScreen) {
        LeaveFullScreen();
        return 0;
    }
    handled = false;
    return 0;
}

LRESULT CVideoWindow::OnClose(WPARAM, LPARAM, bool&) {
    if (m_fullScreen)
        LeaveFullScreen();
    else
        DestroyWindow(m_hWnd);
    return 0;
}

void CVideoWindow::EnterFullScreen() {
    if (m_fullScreen || m_hWnd == nullptr)
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    m_savedPlacement.length = sizeof(m_savedPlacement);
    GetWindowPlacement(m_hWnd, &m_savedPlacement);
    m_fullScreen = true;
    SetParent(m_hWnd, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(m_hWnd, HWND_TOPMOST, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SetFocus(m_hWnd);
}

void CVideoWindow::LeaveFullScreen() {
    if (!m_fullScreen || m_hWnd == nullptr)
        return;
    m_fullScreen = false;
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(m_hWnd, m_panel);
    SetWindowPlacement(m_hWnd, &m_savedPlacement);
    SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_panel)
        SetFocus(m_panel);
}
