#include "transparent_tips_wnd.h"

#include "tip_layout.h"

const MessageEntry<CTransparentTipsWnd> CTransparentTipsWnd::kMessages[] = {
    {WM_CREATE, &CTransparentTipsWnd::OnCreate},
    {WM_ERASEBKGND, &CTransparentTipsWnd::OnEraseBkgnd},
    {WM_TIMER, &CTransparentTipsWnd::OnTimer},
    {WM_MOUSEMOVE, &CTransparentTipsWnd::OnMouseMove},
    {WM_MOUSELEAVE, &CTransparentTipsWnd::OnMouseLeave},
};

namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHideAfterMs = 2000;
constexpr BYTE kCreatedAlpha = 100;
constexpr int kShownAlpha = 149;
constexpr int kTextMargin = 5;
constexpr int kCornerEllipse = 5;
constexpr int kFontTenthsOfPoint = 120;

TipRect ToTipRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

bool CTransparentTipsWnd::Create(HWND parent) {
    const RECT empty = {0, 0, 0, 0};
    // Created hidden; it shows itself only through ShowTips.
    if (!CustomWindow::Create(L"VrTransparentTipsWnd", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              0, empty, parent))
        return false;
    return true;
}

void CTransparentTipsWnd::SetText(const std::wstring& text) {
    m_text = text;
    if (m_hWnd == nullptr)
        return;
    SIZE extent = {0, 0};
    {
        WindowDC dc(m_hWnd);
        SelectObjectScope font(dc.Get(), Font());
        GetTextExtentPoint32W(dc.Get(), m_text.c_str(), static_cast<int>(m_text.size()), &extent);
    }
    const TipSize size = TipWindowSize(extent.cx, extent.cy);
    SetWindowPos(m_hWnd, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A region leaves out its right and bottom edges: one more pixel each way
    // covers the whole window.
    GdiRegion rounded(
        CreateRoundRectRgn(0, 0, size.width + 1, size.height + 1, kCornerEllipse, kCornerEllipse));
    // Once set, the region belongs to the system.
    if (rounded && SetWindowRgn(m_hWnd, rounded.Get(), TRUE))
        rounded.Release();
    CentreOnOwner();
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CTransparentTipsWnd::ShowTips(int show) {
    if (m_hWnd == nullptr)
        return;
    if (!show) {
        Hide();
        return;
    }
    if (IsWindowVisible(m_hWnd))
        Hide();
    CentreOnOwner();
    // A message must not take the keyboard away from the page.
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    FadeTo(0, kShownAlpha);
    StopTimer();
    m_timerId = SetTimer(m_hWnd, kHideTimer, kHideAfterMs, nullptr);
}

bool CTransparentTipsWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

LRESULT CTransparentTipsWnd::OnCreate(WPARAM, LPARAM, bool&) {
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(m_hWnd, 0, kCreatedAlpha, LWA_ALPHA);
    m_owner = GetWindow(m_hWnd, GW_OWNER);
    return 0;
}

LRESULT CTransparentTipsWnd::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT text = client;
    InflateRect(&text, -kTextMargin, -kTextMargin);
    UINT format = DT_VCENTER | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
    format |= TipTextCentred(client.right, client.bottom) ? DT_CENTER : DT_EDITCONTROL;
    SelectObjectScope font(dc, Font());
    const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &text, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    return 1;
}

LRESULT CTransparentTipsWnd::OnTimer(WPARAM wParam, LPARAM, bool& handled) {
    if (wParam != kHideTimer) {
        handled = false;
        return 0;
    }
    RECT window;
    POINT cursor;
    GetWindowRect(m_hWnd, &window);
    GetCursorPos(&cursor);
    if (IsWindowVisible(m_hWnd) && !PtInRect(&window, cursor))
        Hide();
    return 0;
}

LRESULT CTransparentTipsWnd::OnMouseMove(WPARAM, LPARAM, bool&) {
    StopTimer();
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&track);
    return 0;
}

LRESULT CTransparentTipsWnd::OnMouseLeave(WPARAM, LPARAM, bool&) {
    // The owner creates the tip again for its next message.
    DestroyWindow(m_hWnd);
    return 0;
}

void CTransparentTipsWnd::Hide() {
    FadeTo(kShownAlpha + 1, 1);
    ShowWindow(m_hWnd, SW_HIDE);
    StopTimer();
}

void CTransparentTipsWnd::FadeTo(int from, int to) {
    const int step = from <= to ? 1 : -1;
    for (int alpha = from;; alpha += step) {
        SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
        Sleep(1);
        if (alpha == to)
            break;
    }
}

void CTransparentTipsWnd::CentreOnOwner() {
    HWND owner = m_owner != nullptr ? m_owner : GetParent(m_hWnd);
    RECT ownerRect = {}, window = {};
    if (owner == nullptr || !GetWindowRect(owner, &ownerRect))
        return;
    GetWindowRect(m_hWnd, &window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const TipSize size = {window.right - window.left, window.bottom - window.top};
    const TipPoint place = CentreInWorkArea(ToTipRect(ownerRect), size, ToTipRect(monitor.rcWork));
    SetWindowPos(m_hWnd, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTransparentTipsWnd::StopTimer() {
    if (m_timerId != 0 && m_hWnd != nullptr)
        KillTimer(m_hWnd, m_timerId);
    m_timerId = 0;
}

HFONT CTransparentTipsWnd::Font() {
    if (!m_font) {
        // A point font: tenths of a point turned into pixels for the screen.
        LOGFONTW font = {};
        WindowDC screen(nullptr);
        font.lfHeight = -MulDiv(GetDeviceCaps(screen.Get(), LOGPIXELSY), kFontTenthsOfPoint, 720);
        font.lfCharSet = DEFAULT_CHARSET;
        wcscpy_s(font.lfFaceName, L"宋体");
        m_font.Reset(CreateFontIndirectW(&font));
    }
    return m_font.Get();
}
