#include "image_button.h"

#include "parent_background.h"

#include <commctrl.h>
#include <olectl.h>

const MessageEntry<CImageButton> CImageButton::kMessages[] = {
    {WM_PAINT, &CImageButton::OnPaint},
    {WM_PRINTCLIENT, &CImageButton::OnPrintClient},
    {WM_ERASEBKGND, &CImageButton::OnEraseBkgnd},
    {OCM_DRAWITEM, &CImageButton::OnReflectedDrawItem},
    {WM_MOUSEMOVE, &CImageButton::OnMouseMove},
    {WM_MOUSELEAVE, &CImageButton::OnMouseLeave},
};

namespace {

constexpr UINT_PTR kToolId = 1;

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

// Messages after which the button's own procedure may have changed what it
// shows: pressed state, focus, enabled state, capture.
bool MayChangeFace(UINT message) {
    switch (message) {
    case BM_SETSTATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return true;
    default:
        return false;
    }
}

TOOLINFOW ToolFor(HWND button) {
    TOOLINFOW tool = {};
    // The version-5 size: common controls without a manifest reject larger ones.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = button;
    tool.uId = kToolId;
    return tool;
}

} // namespace

CImageButton::~CImageButton() {
    Unsubclass();
    m_toolTip.Reset();
}

bool CImageButton::Subclass(HWND button) {
    m_toolTip.Reset();
    if (!SubclassedWindow::Subclass(button))
        return false;
    // The button's own procedure must not paint: we draw every state.
    SendMessageW(m_hWnd, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    CreateToolTip();
    if (!m_normal.IsNull()) {
        SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                          GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        SizeToPicture();
    }
    Redraw();
    return true;
}

int CImageButton::SetImages(const wchar_t* normal, const wchar_t* hover, const wchar_t* pressed,
                            const wchar_t* disabled) {
    m_normal.Reset();
    m_hover.Reset();
    m_pressed.Reset();
    m_disabled.Reset();
    if (!m_normal.Load(normal)) {
        Redraw();
        return 0;
    }
    m_hover.Load(hover);
    m_pressed.Load(pressed);
    m_disabled.Load(disabled);
    m_extendedStyle |= kHoverTracking;
    if (m_hWnd != nullptr) {
        // The parent's background shows through the pictures' transparent parts.
        SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                          GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        SizeToPicture();
        Redraw();
    }
    return 1;
}

void CImageButton::SetToolTipText(const wchar_t* text) {
    m_hasToolTipText = text != nullptr;
    m_toolTipText = text != nullptr ? text : L"";
    AttachToolTipText();
}

DWORD CImageButton::SetExtendedStyle(DWORD style, DWORD mask) {
    const DWORD previous = m_extendedStyle;
    m_extendedStyle = mask == 0 ? style : (m_extendedStyle & ~mask) | (style & mask);
    if ((m_extendedStyle & kAutoSize) && !(previous & kAutoSize))
        SizeToPicture();
    Redraw();
    return previous;
}

ButtonFace CImageButton::CurrentFace() const {
    ButtonState state;
    if (m_hWnd != nullptr) {
        state.enabled = IsWindowEnabled(m_hWnd) != FALSE;
        state.pressed = (SendMessageW(m_hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        state.focused = GetFocus() == m_hWnd;
    }
    state.mouseOver = m_mouseOver;
    state.hoverTracking = (m_extendedStyle & kHoverTracking) != 0;
    return ChooseButtonFace(state);
}

bool CImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsMouseMessage(message))
        RelayToToolTip(message, wParam, lParam);
    if (MayChangeFace(message)) {
        result = DefaultProc(message, wParam, lParam);
        Redraw();
        return true;
    }
    return DispatchMessageTable(this, kMessages, message, wParam, lParam, result);
}

void CImageButton::OnFinalMessage() {
    m_toolTip.Reset();
    m_mouseOver = false;
}

LRESULT CImageButton::OnPaint(WPARAM, LPARAM, bool&) {
    PaintDC dc(m_hWnd);
    Paint(dc.Get());
    return 0;
}

LRESULT CImageButton::OnPrintClient(WPARAM wParam, LPARAM, bool&) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

LRESULT CImageButton::OnEraseBkgnd(WPARAM, LPARAM, bool&) {
    return 1;
}

LRESULT CImageButton::OnReflectedDrawItem(WPARAM, LPARAM lParam, bool&) {
    Paint(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC);
    return TRUE;
}

LRESULT CImageButton::OnMouseMove(WPARAM, LPARAM, bool& handled) {
    handled = false; // the button's own procedure follows a press with the mouse
    if ((m_extendedStyle & kHoverTracking) && !m_mouseOver) {
        m_mouseOver = true;
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
        Redraw();
    }
    return 0;
}

LRESULT CImageButton::OnMouseLeave(WPARAM, LPARAM, bool&) {
    m_mouseOver = false;
    Redraw();
    return 0;
}

void CImageButton::Paint(HDC dc) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    // Composed off screen: the parent's background, then the picture blended
    // over it, so a transparent picture never blends over its previous self.
    MemoryDC memory(dc);
    GdiBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!memory.Get() || !canvas)
        return;
    SelectObjectScope select(memory.Get(), canvas.Get());
    PaintParentBackground(m_hWnd, memory.Get());
    if (const SkinPicture* picture = PictureFor(CurrentFace()))
        picture->DrawWithAlpha(memory.Get(), 0, 0);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

const SkinPicture* CImageButton::PictureFor(ButtonFace face) const {
    switch (face) {
    case ButtonFace::Normal:
        return &m_normal;
    case ButtonFace::Hover:
        return &m_hover;
    case ButtonFace::Pressed:
        return &m_pressed;
    case ButtonFace::Disabled:
        return &m_disabled;
    }
    return nullptr;
}

void CImageButton::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_toolTip)
        return;
    MSG relayed = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    relayed.pt.x = static_cast<short>(LOWORD(GetMessagePos()));
    relayed.pt.y = static_cast<short>(HIWORD(GetMessagePos()));
    SendMessageW(m_toolTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CImageButton::CreateToolTip() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    m_toolTip.Reset(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE)), nullptr));
    AttachToolTipText();
}

void CImageButton::AttachToolTipText() {
    if (!m_toolTip || m_hWnd == nullptr)
        return;
    TOOLINFOW tool = ToolFor(m_hWnd);
    SendMessageW(m_toolTip.Get(), TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
    if (!m_hasToolTipText)
        return;
    GetClientRect(m_hWnd, &tool.rect);
    tool.lpszText = m_toolTipText.data();
    SendMessageW(m_toolTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip.Get(), TTM_ACTIVATE, TRUE, 0);
}

void CImageButton::SizeToPicture() {
    if (m_hWnd == nullptr || m_normal.IsNull() || !(m_extendedStyle & kAutoSize))
        return;
    SetWindowPos(m_hWnd, nullptr, 0, 0, m_normal.Width(), m_normal.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The tool covers the whole button, whatever its new size.
    AttachToolTipText();
}

void CImageButton::Redraw() {
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}
