#include "kui_frame_dialog.h"

#include "frame_painting.h"
#include "module_path.h"
#include "offscreen_surface.h"

namespace {

constexpr int kRegionInsetWhenResizable = 4;
constexpr int kTitleBandInset = 8;
constexpr int kBorderPieceHeight = 32;
constexpr COLORREF kTitleTextColour = RGB(245, 245, 245);

LRESULT HitCode(FrameHit hit) {
    switch (hit) {
    case FrameHit::Client:
        return HTCLIENT;
    case FrameHit::Left:
        return HTLEFT;
    case FrameHit::Right:
        return HTRIGHT;
    case FrameHit::Top:
        return HTTOP;
    case FrameHit::Bottom:
        return HTBOTTOM;
    case FrameHit::TopLeft:
        return HTTOPLEFT;
    case FrameHit::TopRight:
        return HTTOPRIGHT;
    case FrameHit::BottomLeft:
        return HTBOTTOMLEFT;
    case FrameHit::BottomRight:
        return HTBOTTOMRIGHT;
    case FrameHit::Default:
        break;
    }
    return HTNOWHERE;
}

} // namespace

const RuntimeClass KUIFrameDialog::classKUIFrameDialog = {"KUIFrameDialog", sizeof(KUIFrameDialog),
                                                          &Dialog::classDialog};

const MessageEntry<KUIFrameDialog> KUIFrameDialog::kMessages[] = {
    {WM_CREATE, &KUIFrameDialog::OnCreate},
    {WM_INITDIALOG, &KUIFrameDialog::OnInitDialog},
    {WM_ERASEBKGND, &KUIFrameDialog::OnEraseBkgnd},
    {WM_SIZE, &KUIFrameDialog::OnSize},
    {WM_NCHITTEST, &KUIFrameDialog::OnNcHitTest},
    {WM_LBUTTONDOWN, &KUIFrameDialog::OnLButtonDown},
    {WM_LBUTTONUP, &KUIFrameDialog::OnLButtonUp},
    {WM_LBUTTONDBLCLK, &KUIFrameDialog::OnLButtonDblClk},
    {WM_MOUSEMOVE, &KUIFrameDialog::OnMouseMove},
    {WM_MOUSELEAVE, &KUIFrameDialog::OnMouseLeave},
    {WM_GETMINMAXINFO, &KUIFrameDialog::OnGetMinMaxInfo},
    {WM_CTLCOLORDLG, &KUIFrameDialog::OnCtlColor},
    {WM_CTLCOLORSTATIC, &KUIFrameDialog::OnCtlColor},
};

const MessageMap KUIFrameDialog::messageMap =
    ChainMessageTable<KUIFrameDialog, KUIFrameDialog::kMessages>(&Dialog::messageMap);

KUIFrameDialog::KUIFrameDialog(UINT templateId, HWND parent)
    : Dialog(static_cast<WORD>(templateId), parent),
      m_titleFont(CreateFontW(18, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"Arial")) {}

KUIFrameDialog::~KUIFrameDialog() {
    Destroy(); // while the handlers and the skin still exist
}

const RuntimeClass* KUIFrameDialog::GetRuntimeClass() const {
    return &classKUIFrameDialog;
}

const MessageMap* KUIFrameDialog::GetMessageMap() const {
    return &messageMap;
}

void KUIFrameDialog::SetSkinPath(const wchar_t* folder) {
    m_strSkinPath = folder != nullptr ? folder : L"";
}

int KUIFrameDialog::SetTitle(const wchar_t* text) {
    m_strTitle = text != nullptr ? text : L"";
    return static_cast<int>(m_strTitle.size());
}

void KUIFrameDialog::GetWindowRectEX(RECT* rect) const {
    if (rect != nullptr)
        GetWindowRect(m_hWnd, rect);
}

void KUIFrameDialog::GetClientRectEX(RECT* rect) const {
    if (rect == nullptr)
        return;
    const SkinRect content =
        FrameDialogContentRect(ClientSkinRect(m_hWnd), m_settings.borderWidth,
                               m_settings.titleHeight, m_settings.statusHeight);
    *rect = RECT{content.left, content.top, content.right, content.bottom};
}

void KUIFrameDialog::EraseStatuBk() {
    if (!Exists())
        return;
    const SkinRect client = ClientSkinRect(m_hWnd);
    WindowDC dc(m_hWnd);
    m_status.DrawStrip(dc.Get(),
                       {0, client.bottom - m_settings.statusHeight, client.right, client.bottom},
                       m_settings.titleSideWidth, m_settings.titleCenterWidth);
}

FrameSettings KUIFrameDialog::ReadSkinFile(std::vector<std::wstring>& messages) const {
    const std::wstring file = m_strSkinPath + L"/skin.ini";
    return ReadFrameSettings(
        [&](const wchar_t* key) {
            wchar_t value[260] = {};
            GetPrivateProfileStringW(L"Frame", key, L"", value, 260, file.c_str());
            return std::wstring(value);
        },
        messages);
}

// The style is the skin's: a plain pop-up, with a sizing frame (hidden by
// the region's inset) when the skin makes the dialog resizable.
void KUIFrameDialog::ApplyFrameStyle() {
    const LONG state = GetWindowLongW(m_hWnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    const bool resizable = m_settings.resizable != 0;
    SetWindowLongW(m_hWnd, GWL_STYLE, state | WS_POPUP | (resizable ? WS_THICKFRAME : 0));
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, 0);
    m_regionInset = resizable ? kRegionInsetWhenResizable : 0;
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetRoundedWindowRegion(m_hWnd, m_regionInset, m_settings.circleAngle);
}

LRESULT KUIFrameDialog::OnCreate(WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT created = DefaultProc(WM_CREATE, wParam, lParam);
    if (created == -1)
        return created;
    // The style needs to know whether the skin is resizable now; the skin
    // file is read again, with its messages, once the dialog is initialised.
    std::vector<std::wstring> messagesLater;
    m_settings = ReadSkinFile(messagesLater);
    ApplyFrameStyle();
    return created;
}

LRESULT KUIFrameDialog::OnInitDialog(WPARAM, LPARAM, bool&) {
    m_title.Load(m_strSkinPath + L"/Title.bmp");
    m_status.Load(m_strSkinPath + L"/Status.bmp");
    m_border.Load(m_strSkinPath + L"/Border.bmp");
    const std::wstring& folder = m_strSkinPath;
    m_pictures = {folder + L"\\min_normal.png",
                  folder + L"\\min_hover.png",
                  folder + L"\\max_normal.png",
                  folder + L"\\max_hover.png",
                  folder + L"\\restore_normal.png",
                  folder + L"\\restore_hover.png",
                  folder + L"\\close_normal.png",
                  folder + L"\\close_hover.png",
                  folder + L"\\Icon.png"};
    m_toolTips.Create(m_hWnd, TTS_ALWAYSTIP);

    std::vector<std::wstring> messages;
    m_settings = ReadSkinFile(messages);
    const HWND window = m_hWnd;
    const std::wstring caption = ModuleTitle(GetModuleHandleW(nullptr));
    for (const std::wstring& message : messages) {
        MessageBoxW(window, message.c_str(), caption.c_str(), MB_OK);
        // Whatever ran while the box was up may have closed the dialog.
        if (!IsWindow(window))
            return FALSE;
    }
    ApplyFrameStyle(); // in case the file changed since the window was created
    return TRUE;
}

SystemButtons KUIFrameDialog::Buttons() const {
    return FrameDialogButtons(ClientSkinRect(m_hWnd), m_settings.hasMaxButton != 0,
                              m_settings.hasMinButton != 0);
}

void KUIFrameDialog::DrawButtons(HDC dc, const SystemButtons& buttons, int hover) const {
    if (!buttons.minimize.IsEmpty()) {
        DrawPictureFile(dc, hover == kMinimizeButton ? m_pictures.minHover : m_pictures.minNormal,
                        buttons.minimize.left, buttons.minimize.top);
    }
    if (!buttons.maximize.IsEmpty()) {
        const bool over = hover == kMaximizeButton;
        const std::wstring& picture =
            IsZoomed(m_hWnd) ? (over ? m_pictures.restoreHover : m_pictures.restoreNormal)
                             : (over ? m_pictures.maxHover : m_pictures.maxNormal);
        DrawPictureFile(dc, picture, buttons.maximize.left, buttons.maximize.top);
    }
    DrawPictureFile(dc, hover == kCloseButton ? m_pictures.closeHover : m_pictures.closeNormal,
                    buttons.close.left, buttons.close.top);
}

void KUIFrameDialog::Paint(HDC dc, int hover) const {
    const SkinRect client = ClientSkinRect(m_hWnd);
    const FrameSettings& s = m_settings;
    GdiBrush background(CreateSolidBrush(RGB(s.bkColR, s.bkColG, s.bkColB)));
    const RECT all = {client.left, client.top, client.right, client.bottom};
    FillRect(dc, &all, background.Get());

    m_title.DrawStrip(dc, {client.left, client.top, client.right, client.top + s.titleHeight},
                      s.titleSideWidth, s.titleCenterWidth);
    const bool iconDrawn = DrawPictureFile(dc, m_pictures.icon, 5, 2);
    m_status.DrawStrip(dc,
                       {client.left, client.bottom - s.statusHeight, client.right, client.bottom},
                       s.titleSideWidth, s.titleCenterWidth);
    const int bandTop = client.top + s.titleHeight, bandBottom = client.bottom - s.statusHeight;
    m_border.Draw(dc, {client.left, bandTop, client.left + s.borderWidth, bandBottom},
                  {0, 0, s.borderWidth, kBorderPieceHeight});
    const int rightBorder = client.right - s.borderWidth - 1;
    m_border.Draw(dc, {rightBorder, bandTop, rightBorder + s.borderWidth, bandBottom},
                  {s.borderWidth, 0, 2 * s.borderWidth, kBorderPieceHeight});

    DrawButtons(dc, Buttons(), hover);

    std::wstring text = WindowText(m_hWnd);
    if (text.empty())
        text = m_strTitle;
    const int x = client.left + (iconDrawn ? s.titleHeight : 5);
    DrawTitleText(dc, m_titleFont.Get(), kTitleTextColour, x,
                  static_cast<int>(s.titleHeight * 0.22), text);
}

// Only the buttons change: paint the frame aside and copy their strip.
void KUIFrameDialog::RepaintButtons() {
    const SkinRect client = ClientSkinRect(m_hWnd);
    WindowDC dc(m_hWnd);
    OffscreenSurface back;
    if (!back.Create(dc.Get(), client.Width(), client.Height()))
        return;
    Paint(back.Dc(), m_hover);
    const SystemButtons buttons = Buttons();
    const SkinRect strip = {buttons.LeftEdge(), buttons.close.top, buttons.close.right,
                            buttons.close.bottom};
    BitBlt(dc.Get(), strip.left, strip.top, strip.Width(), strip.Height(), back.Dc(), strip.left,
           strip.top, SRCCOPY);
}

void KUIFrameDialog::UpdateToolTips(const SystemButtons& buttons) {
    const auto rect = [](const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; };
    m_toolTips.AddToolTip(1, rect(buttons.minimize), L"最小化");
    m_toolTips.AddToolTip(2, rect(buttons.maximize), IsZoomed(m_hWnd) ? L"还原窗口" : L"最大化");
    m_toolTips.AddToolTip(3, rect(buttons.close), L"请注意:关闭");
}

LRESULT KUIFrameDialog::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    const SkinRect client = ClientSkinRect(m_hWnd);
    OffscreenSurface back;
    if (back.Create(dc, client.Width(), client.Height())) {
        Paint(back.Dc(), m_hover);
        BitBlt(dc, 0, 0, client.Width(), client.Height(), back.Dc(), 0, 0, SRCCOPY);
    } else {
        Paint(dc, m_hover);
    }
    UpdateToolTips(Buttons());
    return 1;
}

LRESULT KUIFrameDialog::OnSize(WPARAM, LPARAM, bool& handled) {
    SetRoundedWindowRegion(m_hWnd, m_regionInset, m_settings.circleAngle);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    handled = false;
    return 0;
}

LRESULT KUIFrameDialog::OnNcHitTest(WPARAM, LPARAM lParam, bool& handled) {
    POINT point = MessagePoint(lParam);
    ScreenToClient(m_hWnd, &point);
    const FrameHit hit = FrameDialogHitTest(point.x, point.y, ClientSkinRect(m_hWnd),
                                            m_settings.resizable != 0, IsZoomed(m_hWnd) != FALSE);
    if (hit == FrameHit::Default) {
        handled = false;
        return 0;
    }
    return HitCode(hit);
}

LRESULT KUIFrameDialog::OnLButtonDown(WPARAM, LPARAM lParam, bool&) {
    const POINT point = MessagePoint(lParam);
    const SystemButtons buttons = Buttons();
    const int button = buttons.At(point.x, point.y);
    const SkinRect band = TitleBand(buttons, m_settings.titleHeight, kTitleBandInset);
    if (!IsZoomed(m_hWnd) && button == kNoButton && band.Contains(point.x, point.y)) {
        POINT screen = point;
        ClientToScreen(m_hWnd, &screen);
        SendMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        return 0;
    }
    if (button == kCloseButton)
        m_pressed = true;
    return 0;
}

LRESULT KUIFrameDialog::OnLButtonUp(WPARAM, LPARAM lParam, bool&) {
    const POINT point = MessagePoint(lParam);
    const int button = Buttons().At(point.x, point.y);
    const bool closing = m_pressed && button == kCloseButton;
    m_pressed = false;
    if (closing)
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    else if (button == kMaximizeButton)
        ShowWindow(m_hWnd, IsZoomed(m_hWnd) ? SW_RESTORE : SW_MAXIMIZE);
    else if (button == kMinimizeButton)
        ShowWindow(m_hWnd, SW_MINIMIZE);
    return 0;
}

LRESULT KUIFrameDialog::OnLButtonDblClk(WPARAM, LPARAM lParam, bool&) {
    if (m_settings.hasMaxButton == 0)
        return 0;
    const POINT point = MessagePoint(lParam);
    const bool zoomed = IsZoomed(m_hWnd) != FALSE;
    const SystemButtons buttons = Buttons();
    const SkinRect band = TitleBand(buttons, m_settings.titleHeight, zoomed ? 0 : kTitleBandInset);
    if (band.Contains(point.x, point.y) && buttons.At(point.x, point.y) == kNoButton)
        ShowWindow(m_hWnd, zoomed ? SW_RESTORE : SW_MAXIMIZE);
    return 0;
}

LRESULT KUIFrameDialog::OnMouseMove(WPARAM, LPARAM lParam, bool&) {
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const POINT point = MessagePoint(lParam);
    const int hover = Buttons().At(point.x, point.y);
    if (hover != m_hover) {
        m_hover = hover;
        RepaintButtons();
    }
    return 0;
}

// The pointer left the window from a button: show it normal again.
LRESULT KUIFrameDialog::OnMouseLeave(WPARAM, LPARAM, bool&) {
    m_trackingLeave = false;
    if (m_hover != kNoButton) {
        m_hover = kNoButton;
        RepaintButtons();
    }
    return 0;
}

LRESULT KUIFrameDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam, bool&) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const MaximizedPlacement placement =
        FrameDialogMaximized({work.left, work.top, work.right, work.bottom}, m_regionInset);
    info->ptMaxPosition = POINT{placement.x, placement.y};
    info->ptMaxSize = POINT{placement.width, placement.height};
    return 0;
}

LRESULT KUIFrameDialog::OnCtlColor(WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}
