#include "kui_base_dlg.h"

#include "frame_painting.h"
#include "module_path.h"
#include "offscreen_surface.h"

#include <algorithm>

namespace {

constexpr COLORREF kBackground = RGB(65, 74, 87);
constexpr COLORREF kTitleTextColour = RGB(245, 245, 245);
constexpr COLORREF kStaticTextColour = RGB(235, 235, 235);
constexpr int kBorderPieceHeight = 32;
constexpr int kCornerEllipse = 2;

} // namespace

const RuntimeClass KUIBaseDlg::classKUIBaseDlg = {"KUIBaseDlg", sizeof(KUIBaseDlg),
                                                  &Dialog::classDialog};

const MessageEntry<KUIBaseDlg> KUIBaseDlg::kMessages[] = {
    {WM_INITDIALOG, &KUIBaseDlg::OnInitDialog},
    {WM_ERASEBKGND, &KUIBaseDlg::OnEraseBkgnd},
    {WM_SIZE, &KUIBaseDlg::OnSize},
    {WM_LBUTTONDOWN, &KUIBaseDlg::OnLButtonDown},
    {WM_LBUTTONUP, &KUIBaseDlg::OnLButtonUp},
    {WM_MOUSEMOVE, &KUIBaseDlg::OnMouseMove},
    {WM_MOUSELEAVE, &KUIBaseDlg::OnMouseLeave},
    {WM_CTLCOLORDLG, &KUIBaseDlg::OnCtlColor},
    {WM_CTLCOLORSTATIC, &KUIBaseDlg::OnCtlColor},
};

const MessageMap KUIBaseDlg::messageMap =
    ChainMessageTable<KUIBaseDlg, KUIBaseDlg::kMessages>(&Dialog::messageMap);

KUIBaseDlg::KUIBaseDlg(UINT templateId, HWND parent)
    : Dialog(static_cast<WORD>(templateId), parent),
      m_titleFont(CreateFontW(16, 9, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"宋体")) {}

KUIBaseDlg::~KUIBaseDlg() {
    Destroy(); // while the handlers and the skin still exist
}

const RuntimeClass* KUIBaseDlg::GetRuntimeClass() const {
    return &classKUIBaseDlg;
}

const MessageMap* KUIBaseDlg::GetMessageMap() const {
    return &messageMap;
}

int KUIBaseDlg::SetTitleBarHeight(int height) {
    m_titleBarHeight = std::max(height, 0);
    return m_titleBarHeight;
}

int KUIBaseDlg::SetBottomHeight(int height) {
    m_bottomHeight = std::max(height, 0);
    return m_bottomHeight;
}

int KUIBaseDlg::SetTitle(const wchar_t* text) {
    m_title = text != nullptr ? text : L"";
    return static_cast<int>(m_title.size());
}

void KUIBaseDlg::SetSkinPath(const wchar_t* folder) {
    m_skinFolder = folder != nullptr ? folder : L"";
    LoadSkin();
    if (Exists())
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void KUIBaseDlg::LoadSkin() {
    m_titleBitmap.Load(m_skinFolder + L"/Title.bmp");
    m_statusBitmap.Load(m_skinFolder + L"/Status.bmp");
    m_borderBitmap.Load(m_skinFolder + L"/Border.bmp");
    m_closeNormal = m_skinFolder + L"\\close_normal.png";
    m_closeHover = m_skinFolder + L"\\close_hover.png";
    m_closePressed = m_skinFolder + L"\\close_pressed.png";
}

LRESULT KUIBaseDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    if (m_skinFolder.empty()) {
        m_skinFolder = ModuleFolder() + L"\\res\\DialogSkin";
        LoadSkin();
    }
    m_background.Reset(CreateSolidBrush(kBackground));
    return TRUE;
}

void KUIBaseDlg::Paint(HDC dc, CloseLook look) {
    const SkinRect client = ClientSkinRect(m_hWnd);
    GdiBrush background(CreateSolidBrush(kBackground));
    const RECT all = {client.left, client.top, client.right, client.bottom};
    FillRect(dc, &all, background.Get());

    m_titleBitmap.DrawStrip(dc,
                            {client.left, client.top, client.right, client.top + m_titleBarHeight},
                            m_sideWidth, m_middleWidth);
    m_statusBitmap.DrawStrip(
        dc, {client.left, client.bottom - m_bottomHeight, client.right, client.bottom}, m_sideWidth,
        m_middleWidth);
    const int top = client.top + m_titleBarHeight, bottom = client.bottom - m_bottomHeight;
    m_borderBitmap.Draw(dc, {client.left, top, client.left + m_borderWidth, bottom},
                        {0, 0, m_borderWidth, kBorderPieceHeight});
    const int right = client.right - m_borderWidth - 1;
    m_borderBitmap.Draw(dc, {right, top, right + m_borderWidth, bottom},
                        {m_borderWidth, 0, 2 * m_borderWidth, kBorderPieceHeight});

    DrawTitleText(dc, m_titleFont.Get(), kTitleTextColour, client.left + 2,
                  static_cast<int>(m_titleBarHeight * 0.22), m_title);

    // Without its normal picture the dialog has no close button at all.
    m_closeRect = IsReadablePicture(m_closeNormal) ? SkinDialogCloseRect(client) : SkinRect{};
    if (m_closeRect.IsEmpty())
        return;
    const std::wstring& picture = look == CloseLook::Pressed ? m_closePressed
                                  : look == CloseLook::Hover ? m_closeHover
                                                             : m_closeNormal;
    DrawPictureFile(dc, picture, m_closeRect.left, m_closeRect.top);
}

// The right end of the title bar with the close button, painted aside and
// copied in one block.
void KUIBaseDlg::RepaintCloseButton(CloseLook look) {
    m_shownLook = look;
    const SkinRect client = ClientSkinRect(m_hWnd);
    WindowDC dc(m_hWnd);
    OffscreenSurface back;
    if (!back.Create(dc.Get(), client.Width(), client.Height()))
        return;
    Paint(back.Dc(), look);
    const SkinRect end = {std::min(client.right - m_sideWidth, m_closeRect.left), client.top,
                          client.right,
                          std::max(client.top + m_titleBarHeight, m_closeRect.bottom)};
    BitBlt(dc.Get(), end.left, end.top, end.Width(), end.Height(), back.Dc(), end.left, end.top,
           SRCCOPY);
}

KUIBaseDlg::CloseLook KUIBaseDlg::LookAt(POINT point) const {
    if (!m_closeRect.Contains(point.x, point.y))
        return CloseLook::Normal;
    return m_pressed ? CloseLook::Pressed : CloseLook::Hover;
}

LRESULT KUIBaseDlg::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    const SkinRect client = ClientSkinRect(m_hWnd);
    OffscreenSurface back;
    if (back.Create(dc, client.Width(), client.Height())) {
        Paint(back.Dc(), m_shownLook);
        BitBlt(dc, 0, 0, client.Width(), client.Height(), back.Dc(), 0, 0, SRCCOPY);
    } else {
        Paint(dc, m_shownLook);
    }
    return 1;
}

LRESULT KUIBaseDlg::OnSize(WPARAM, LPARAM, bool& handled) {
    SetRoundedWindowRegion(m_hWnd, 0, kCornerEllipse);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    handled = false;
    return 0;
}

LRESULT KUIBaseDlg::OnLButtonDown(WPARAM, LPARAM lParam, bool&) {
    const POINT point = MessagePoint(lParam);
    if (m_closeRect.Contains(point.x, point.y)) {
        m_pressed = true;
        SetCapture(m_hWnd);
        RepaintCloseButton(CloseLook::Pressed);
    } else if (point.y > 0 && point.y < m_titleBarHeight) {
        POINT screen = point;
        ClientToScreen(m_hWnd, &screen);
        SendMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    return 0;
}

LRESULT KUIBaseDlg::OnLButtonUp(WPARAM, LPARAM lParam, bool&) {
    if (!m_pressed)
        return 0;
    m_pressed = false;
    ReleaseCapture();
    const POINT point = MessagePoint(lParam);
    const bool onClose = m_closeRect.Contains(point.x, point.y);
    RepaintCloseButton(onClose ? CloseLook::Hover : CloseLook::Normal);
    if (onClose)
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0); // the last thing: it may end the dialog
    return 0;
}

LRESULT KUIBaseDlg::OnMouseMove(WPARAM, LPARAM lParam, bool&) {
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const CloseLook look = LookAt(MessagePoint(lParam));
    if (look != m_shownLook)
        RepaintCloseButton(look);
    return 0;
}

LRESULT KUIBaseDlg::OnMouseLeave(WPARAM, LPARAM, bool&) {
    m_trackingLeave = false;
    if (!m_pressed && m_shownLook != CloseLook::Normal)
        RepaintCloseButton(CloseLook::Normal);
    return 0;
}

LRESULT KUIBaseDlg::OnCtlColor(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kStaticTextColour);
    if (!m_background)
        m_background.Reset(CreateSolidBrush(kBackground));
    return reinterpret_cast<LRESULT>(m_background.Get());
}
