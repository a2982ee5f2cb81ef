#include "kui_base_dlg_ex.h"

#include "frame_painting.h"

#include <algorithm>

namespace {

// Regions of the sprite sheet.
constexpr SkinRect kTitleSource = {13, 0, 14, 22};
constexpr SkinRect kLeftBorderSource = {0, 36, 4, 38};
constexpr SkinRect kRightBorderSource = {5, 36, 9, 38};
constexpr SkinRect kBottomBorderSource = {10, 0, 14, 4};
constexpr POINT kInnerBorderColourAt = {36, 8};
constexpr int kMinimizeGlyph = 0;
constexpr int kMaximizeGlyph = 17;
constexpr int kRestoreGlyph = 34;
constexpr int kCloseGlyph = 51;
constexpr int kGlyphSize = 16;

constexpr int kBorderWidth = 4;
constexpr int kWin7InnerBorder = 5;
constexpr COLORREF kBackground = RGB(247, 255, 255);
constexpr COLORREF kActiveText = RGB(255, 255, 255);
constexpr COLORREF kInactiveText = RGB(18, 93, 9);

// The system's own caption and frame drawing requests (undocumented).
constexpr UINT kDrawCaptionMessage = 0xAE;
constexpr UINT kDrawFrameMessage = 0xAF;

} // namespace

const int KUIBaseDlgEX::m_captionHeight = kSpriteFrameCaptionHeight;

const RuntimeClass KUIBaseDlgEX::classKUIBaseDlgEX = {"KUIBaseDlgEX", sizeof(KUIBaseDlgEX),
                                                      &Dialog::classDialog};

const MessageEntry<KUIBaseDlgEX> KUIBaseDlgEX::kMessages[] = {
    {WM_INITDIALOG, &KUIBaseDlgEX::OnInitDialog},
    {WM_PAINT, &KUIBaseDlgEX::OnPaint},
    {WM_QUERYDRAGICON, &KUIBaseDlgEX::OnQueryDragIcon},
    {WM_SIZE, &KUIBaseDlgEX::OnSize},
    {WM_NCCALCSIZE, &KUIBaseDlgEX::OnNcCalcSize},
    {WM_NCPAINT, &KUIBaseDlgEX::OnNcPaint},
    {WM_NCACTIVATE, &KUIBaseDlgEX::OnNcActivate},
    {WM_NCLBUTTONDOWN, &KUIBaseDlgEX::OnNcLButtonDown},
    {WM_NCMOUSEMOVE, &KUIBaseDlgEX::OnNcMouseMove},
    {WM_NCMOUSELEAVE, &KUIBaseDlgEX::OnNcMouseLeave},
    {WM_NCLBUTTONUP, &KUIBaseDlgEX::OnNcLButtonUp},
    {WM_SYSCOMMAND, &KUIBaseDlgEX::OnSysCommand},
    {WM_COMMAND, &KUIBaseDlgEX::OnCommand},
    {WM_CTLCOLORDLG, &KUIBaseDlgEX::OnCtlColor},
    {WM_CTLCOLORSTATIC, &KUIBaseDlgEX::OnCtlColor},
    {WM_ACTIVATE, &KUIBaseDlgEX::OnActivate},
    {WM_SETTEXT, &KUIBaseDlgEX::OnSetText},
    {WM_DESTROY, &KUIBaseDlgEX::OnDestroy},
};

const MessageMap KUIBaseDlgEX::messageMap =
    ChainMessageTable<KUIBaseDlgEX, KUIBaseDlgEX::kMessages>(&Dialog::messageMap);

KUIBaseDlgEX::KUIBaseDlgEX(UINT templateId, HWND parent)
    : Dialog(static_cast<WORD>(templateId), parent),
      m_innerBorder(isWin7() ? kWin7InnerBorder : 0) {
    m_icon.Load(L"res/mainframe.ico");
}

KUIBaseDlgEX::~KUIBaseDlgEX() {
    Destroy(); // while the handlers and the sprite still exist
}

const RuntimeClass* KUIBaseDlgEX::GetRuntimeClass() const {
    return &classKUIBaseDlgEX;
}

const MessageMap* KUIBaseDlgEX::GetMessageMap() const {
    return &messageMap;
}

bool KUIBaseDlgEX::isWin7() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           version.dwMajorVersion == 6 && version.dwMinorVersion == 1;
}

void KUIBaseDlgEX::DrawGlyphs(HDC dc, int which, Row whichRow, Row othersRow) {
    const auto rowTop = [](Row row) {
        return row == Row::Normal ? 44 : row == Row::HoverOrInactive ? 60 : 76;
    };
    const struct {
        int button;
        const SkinRect& rect;
        int glyph;
    } glyphs[] = {
        {kMinimizeButton, m_buttons.minimize, kMinimizeGlyph},
        {kMaximizeButton, m_buttons.maximize, IsZoomed(m_hWnd) ? kRestoreGlyph : kMaximizeGlyph},
        {kCloseButton, m_buttons.close, kCloseGlyph},
    };
    for (const auto& glyph : glyphs) {
        if (glyph.rect.IsEmpty())
            continue;
        const int top = rowTop(glyph.button == which ? whichRow : othersRow);
        m_sprite.Draw(dc,
                      {glyph.rect.left, glyph.rect.top, glyph.rect.left + kGlyphSize,
                       glyph.rect.top + kGlyphSize},
                      {glyph.glyph, top, glyph.glyph + kGlyphSize, top + kGlyphSize});
    }
}

void KUIBaseDlgEX::DrawButtonStateNormal(HDC dc) {
    DrawGlyphs(dc, kNoButton, Row::Normal, Row::Normal);
}

void KUIBaseDlgEX::DrawButtonStateHover(HDC dc, int which) {
    DrawGlyphs(dc, which, Row::HoverOrInactive, Row::Normal);
}

void KUIBaseDlgEX::DrawButtonStateLButtonDown(HDC dc, int which) {
    DrawGlyphs(dc, which, Row::Pressed, Row::Normal);
}

void KUIBaseDlgEX::DrawButtonStateUnWndActive(HDC dc) {
    DrawGlyphs(dc, kNoButton, Row::HoverOrInactive, Row::HoverOrInactive);
}

// No button under the pointer: the glyphs as the window's activation shows them.
void KUIBaseDlgEX::DrawGlyphsAtRest(HDC dc) {
    if (m_active)
        DrawButtonStateNormal(dc);
    else
        DrawButtonStateUnWndActive(dc);
    m_hover = kNoButton;
}

void KUIBaseDlgEX::UpdateButtonRects(int windowWidth) {
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    m_iconRect = kSpriteFrameIconRect;
    m_buttons = SpriteFrameButtons(windowWidth, (style & WS_MAXIMIZEBOX) != 0,
                                   (style & WS_MINIMIZEBOX) != 0);
}

POINT KUIBaseDlgEX::WindowPoint(LPARAM screenPoint) const {
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const POINT point = MessagePoint(screenPoint);
    return POINT{point.x - window.left, point.y - window.top};
}

void KUIBaseDlgEX::PaintFrame() {
    if (!Exists())
        return;
    RECT window = {}, client = {};
    GetWindowRect(m_hWnd, &window);
    GetClientRect(m_hWnd, &client);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const int caption = kSpriteFrameCaptionHeight;

    WholeWindowDC dc(m_hWnd);
    ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
    m_sprite.Draw(dc.Get(), {0, 0, width, caption}, kTitleSource);
    m_sprite.Draw(dc.Get(), {0, caption, kBorderWidth, height}, kLeftBorderSource);
    m_sprite.Draw(dc.Get(), {width - kBorderWidth, caption, width, height}, kRightBorderSource);
    m_sprite.Draw(dc.Get(), {1, height - kBorderWidth, width - 1, height}, kBottomBorderSource);
    if (m_innerBorder > 0 && !m_sprite.IsNull()) {
        GdiBrush inner(
            CreateSolidBrush(m_sprite.PixelAt(kInnerBorderColourAt.x, kInnerBorderColourAt.y)));
        const int in = kBorderWidth, depth = m_innerBorder;
        const RECT sides[] = {{in, caption, in + depth, height - in},
                              {width - in - depth, caption, width - in, height - in},
                              {in, height - in - depth, width - in, height - in}};
        for (const RECT& side : sides)
            FillRect(dc.Get(), &side, inner.Get());
    }
    if (m_icon.Get() != nullptr) {
        DrawIconEx(dc.Get(), m_iconRect.left, m_iconRect.top, m_icon.Get(), m_iconRect.Width(),
                   m_iconRect.Height(), 0, nullptr, DI_NORMAL);
    }
    DrawTitleText(dc.Get(), m_titleFont.Get(), m_active ? kActiveText : kInactiveText,
                  m_iconRect.right, 7, WindowText(m_hWnd));
    DrawGlyphsAtRest(dc.Get());
}

LRESULT KUIBaseDlgEX::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDrawCaptionMessage || message == kDrawFrameMessage)
        return 1;
    const LRESULT result = Dialog::WindowProc(message, wParam, lParam);
    if (message == WM_NCHITTEST && (result == HTSYSMENU || result == HTMINBUTTON ||
                                    result == HTMAXBUTTON || result == HTCLOSE))
        return HTCAPTION;
    return result;
}

LRESULT KUIBaseDlgEX::OnInitDialog(WPARAM, LPARAM, bool&) {
    m_sprite.Load(L"res/frame.bmp");
    m_background.Reset(CreateSolidBrush(kBackground));
    m_titleFont.Reset(CreateFontW(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, OEM_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    if (m_icon.Get() != nullptr) {
        SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.Get()));
        SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon.Get()));
    }
    return TRUE;
}

LRESULT KUIBaseDlgEX::OnPaint(WPARAM, LPARAM, bool& handled) {
    if (!IsIconic(m_hWnd) || m_icon.Get() == nullptr) {
        handled = false;
        return 0;
    }
    PaintDC dc(m_hWnd);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.Get(), x, y, m_icon.Get());
    return 0;
}

LRESULT KUIBaseDlgEX::OnQueryDragIcon(WPARAM, LPARAM, bool&) {
    return reinterpret_cast<LRESULT>(m_icon.Get());
}

LRESULT KUIBaseDlgEX::OnSize(WPARAM, LPARAM, bool& handled) {
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    GdiRegion region(CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top));
    if (region && SetWindowRgn(m_hWnd, region.Get(), TRUE))
        region.Release(); // the system's now
    InvalidateRect(m_hWnd, nullptr, TRUE);
    handled = false;
    return 0;
}

// The client area starts below the 35-pixel title bar; the sides and the
// bottom keep the system's frame.
LRESULT KUIBaseDlgEX::OnNcCalcSize(WPARAM wParam, LPARAM lParam, bool&) {
    RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                            : reinterpret_cast<RECT*>(lParam);
    const RECT window = *proposed;
    const LRESULT result = DefaultProc(WM_NCCALCSIZE, wParam, lParam);
    proposed->top = std::min(window.top + kSpriteFrameCaptionHeight, window.bottom);
    proposed->bottom = std::max(proposed->bottom, proposed->top);
    UpdateButtonRects(window.right - window.left);
    return result;
}

LRESULT KUIBaseDlgEX::OnNcPaint(WPARAM, LPARAM, bool&) {
    PaintFrame();
    return 0;
}

LRESULT KUIBaseDlgEX::OnNcActivate(WPARAM wParam, LPARAM, bool&) {
    m_active = wParam != FALSE;
    PaintFrame();
    return TRUE;
}

LRESULT KUIBaseDlgEX::OnActivate(WPARAM wParam, LPARAM, bool& handled) {
    m_active = LOWORD(wParam) != WA_INACTIVE;
    PaintFrame();
    handled = false; // the dialog manager keeps track of the focus
    return 0;
}

LRESULT KUIBaseDlgEX::OnNcLButtonDown(WPARAM, LPARAM lParam, bool& handled) {
    const POINT point = WindowPoint(lParam);
    if (m_iconRect.Contains(point.x, point.y)) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        TrackPopupMenu(GetSystemMenu(m_hWnd, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                       cursor.x, cursor.y, 0, m_hWnd, nullptr);
        return 0;
    }
    const int which = m_buttons.At(point.x, point.y);
    if (which == kNoButton) {
        handled = false;
        return 0;
    }
    WholeWindowDC dc(m_hWnd);
    DrawButtonStateLButtonDown(dc.Get(), which);
    m_hover = which;
    return 0;
}

LRESULT KUIBaseDlgEX::OnNcMouseMove(WPARAM, LPARAM lParam, bool&) {
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
        m_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const POINT point = WindowPoint(lParam);
    const int which = m_buttons.At(point.x, point.y);
    if (which == m_hover)
        return 0;
    WholeWindowDC dc(m_hWnd);
    if (which == kNoButton) {
        DrawGlyphsAtRest(dc.Get());
        return 0;
    }
    DrawButtonStateHover(dc.Get(), which);
    m_hover = which;
    return 0;
}

LRESULT KUIBaseDlgEX::OnNcMouseLeave(WPARAM, LPARAM, bool&) {
    m_trackingLeave = false;
    if (m_hover != kNoButton) {
        WholeWindowDC dc(m_hWnd);
        DrawGlyphsAtRest(dc.Get());
    }
    return 0;
}

LRESULT KUIBaseDlgEX::OnNcLButtonUp(WPARAM, LPARAM lParam, bool& handled) {
    const POINT point = WindowPoint(lParam);
    switch (m_buttons.At(point.x, point.y)) {
    case kMinimizeButton:
        ShowWindow(m_hWnd, SW_MINIMIZE);
        return 0;
    case kMaximizeButton:
        ShowWindow(m_hWnd, IsZoomed(m_hWnd) ? SW_RESTORE : SW_MAXIMIZE);
        return 0;
    case kCloseButton:
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    // Elsewhere (also the release a move posts): the glyphs look normal again.
    if (m_hover != kNoButton) {
        WholeWindowDC dc(m_hWnd);
        DrawGlyphsAtRest(dc.Get());
    }
    handled = false;
    return 0;
}

LRESULT KUIBaseDlgEX::OnSysCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    if ((wParam & 0xFFF0) == SC_MOVE)
        PostMessageW(m_hWnd, WM_NCLBUTTONUP, HTCAPTION, lParam);
    handled = false;
    return 0;
}

// The system menu opened from the icon reports its choice as a command.
LRESULT KUIBaseDlgEX::OnCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (LOWORD(wParam)) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_CLOSE:
    case SC_RESTORE:
        SendMessageW(m_hWnd, WM_SYSCOMMAND, LOWORD(wParam), 0);
        return 0;
    default:
        return Dialog::OnCommand(wParam, lParam, handled);
    }
}

LRESULT KUIBaseDlgEX::OnCtlColor(WPARAM wParam, LPARAM, bool&) {
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    if (!m_background)
        m_background.Reset(CreateSolidBrush(kBackground));
    return reinterpret_cast<LRESULT>(m_background.Get());
}

// The system draws its own caption when the text changes: paint ours over it.
LRESULT KUIBaseDlgEX::OnSetText(WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProc(WM_SETTEXT, wParam, lParam);
    PaintFrame();
    return result;
}

LRESULT KUIBaseDlgEX::OnDestroy(WPARAM, LPARAM, bool& handled) {
    m_sprite.Reset();
    m_background.Reset();
    m_titleFont.Reset();
    handled = false;
    return 0;
}
