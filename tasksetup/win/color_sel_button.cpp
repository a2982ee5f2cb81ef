#include "color_sel_button.h"

#include "gdi.h"

#include <commdlg.h>
#include <olectl.h>

namespace {

constexpr uint32_t kNoColor = 0xFFFFFFFFu;

} // namespace

COLORREF* CColorSelButton::CustomColors() {
    static COLORREF colors[16] = {};
    return colors;
}

void CColorSelButton::SetColor(uint32_t color) {
    if (color == m_color)
        return;
    m_color = color;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CColorSelButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case OCM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case OCM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && !m_choosing)
            ChooseColor();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CColorSelButton::ChooseColor() {
    // Shown pressed while the dialog is up.
    m_choosing = true;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateWindow(m_hWnd);

    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = GetAncestor(m_hWnd, GA_ROOT);
    choose.lpCustColors = CustomColors();
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR;
    HWND self = m_hWnd;
    const BOOL chosen = ::ChooseColorW(&choose);
    // The dialog ran a message loop: the button may be gone by now.
    if (m_hWnd != self || !IsWindow(self))
        return;
    m_choosing = false;
    InvalidateRect(self, nullptr, TRUE);
    if (!chosen)
        return;
    SetColor(choose.rgbResult);
    SendMessageW(GetParent(self), kColorChosenMessage, choose.rgbResult, GetDlgCtrlID(self));
}

void CColorSelButton::Draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = m_choosing || (item.itemState & ODS_SELECTED);
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    InflateRect(&face, -4, -4);
    if (pressed)
        OffsetRect(&face, 1, 1);
    if (m_color == kNoColor) {
        // No colour: a white face with a grey cross.
        FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        GdiPen cross(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
        SelectObjectScope pen(dc, cross.Get());
        MoveToEx(dc, face.left, face.top, nullptr);
        LineTo(dc, face.right, face.bottom);
        MoveToEx(dc, face.right - 1, face.top, nullptr);
        LineTo(dc, face.left - 1, face.bottom);
    } else {
        GdiBrush brush(CreateSolidBrush(m_color & 0xFFFFFF));
        FillRect(dc, &face, brush.Get());
    }
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}
