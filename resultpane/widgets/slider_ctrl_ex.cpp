#include "slider_ctrl_ex.h"

#include "gdi.h"
#include "reflection.h"
#include "slider_geometry.h"

#include <commctrl.h>
#include <olectl.h>
#include <windowsx.h>

const MessageEntry<CSliderCtrlEx> CSliderCtrlEx::kMessages[] = {
    {WM_SETFOCUS, &CSliderCtrlEx::OnSetFocus},
    {WM_ERASEBKGND, &CSliderCtrlEx::OnEraseBkgnd},
    {WM_LBUTTONDOWN, &CSliderCtrlEx::OnLButtonDown},
    {WM_MOUSEMOVE, &CSliderCtrlEx::OnMouseMove},
    {WM_LBUTTONUP, &CSliderCtrlEx::OnLButtonUp},
    {OCM_NOTIFY, &CSliderCtrlEx::OnReflectedNotify},
};

namespace {

// Messages after which the thumb may stand elsewhere. The trackbar itself
// repaints only around the old and new thumb, but the played part reaches
// from the left edge to the thumb, so the whole control is repainted.
bool MovesThumb(UINT message, WPARAM wParam) {
    switch (message) {
    case TBM_SETPOS:
    case TBM_SETRANGE:
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX:
        return wParam != 0; // their redraw flag
    case WM_SIZE:
    case WM_KEYDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

void CSliderCtrlEx::SetBkImage(const wchar_t* path) {
    m_channel.Load(path);
    Redraw();
}

void CSliderCtrlEx::SetOverBkImage(const wchar_t* path) {
    m_played.Load(path);
    Redraw();
}

void CSliderCtrlEx::SetThumbImage(const wchar_t* path) {
    m_thumb.Load(path);
    Redraw();
}

void CSliderCtrlEx::SetBkColor(COLORREF colour) {
    m_bkColor = colour;
    Redraw();
}

void CSliderCtrlEx::SetPosIfIdle(int position) {
    if (!m_dragging && m_hWnd != nullptr)
        SendMessageW(m_hWnd, TBM_SETPOS, TRUE, position);
}

bool CSliderCtrlEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (MovesThumb(message, wParam)) {
        result = DefaultProc(message, wParam, lParam);
        Redraw();
        return true;
    }
    if (DispatchMessageTable(this, kMessages, message, wParam, lParam, result))
        return true;
    return DefaultReflectedHandling(m_hWnd, message, wParam, lParam, result);
}

LRESULT CSliderCtrlEx::OnSetFocus(WPARAM, LPARAM, bool&) {
    // A parent that hands the focus straight back (a dialog whose first tab
    // stop is the slider) would bounce it here without end: the second time
    // round the slider keeps it.
    if (m_handingFocusOn)
        return 0;
    m_handingFocusOn = true;
    if (HWND parent = GetParent(m_hWnd))
        SetFocus(parent);
    m_handingFocusOn = false;
    return 0;
}

LRESULT CSliderCtrlEx::OnEraseBkgnd(WPARAM, LPARAM, bool&) {
    return 1;
}

LRESULT CSliderCtrlEx::OnLButtonDown(WPARAM, LPARAM lParam, bool&) {
    // The trackbar's own click handling (paging, capture) is left out.
    JumpTo(lParam);
    m_dragging = true;
    return 0;
}

LRESULT CSliderCtrlEx::OnMouseMove(WPARAM, LPARAM lParam, bool& handled) {
    if (!m_dragging) {
        handled = false;
        return 0;
    }
    JumpTo(lParam);
    return 0;
}

LRESULT CSliderCtrlEx::OnLButtonUp(WPARAM, LPARAM, bool&) {
    m_dragging = false;
    if (HWND parent = GetParent(m_hWnd))
        SendNotifyMessageW(parent, WM_HSCROLL, SB_LINERIGHT, 0);
    return 0;
}

LRESULT CSliderCtrlEx::OnReflectedNotify(WPARAM wParam, LPARAM lParam, bool&) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->code == static_cast<UINT>(NM_CUSTOMDRAW))
        return CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(lParam));
    return DefWindowProcW(m_hWnd, WM_NOTIFY, wParam, lParam);
}

void CSliderCtrlEx::JumpTo(LPARAM mousePosition) {
    RECT channel = {};
    SendMessageW(m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int rangeMax = static_cast<int>(SendMessageW(m_hWnd, TBM_GETRANGEMAX, 0, 0));
    const int position =
        SliderPositionAt(GET_X_LPARAM(mousePosition), channel.right - channel.left, rangeMax);
    SendMessageW(m_hWnd, TBM_SETPOS, TRUE, position);
}

LRESULT CSliderCtrlEx::CustomDraw(NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    LRESULT result = CDRF_SKIPDEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_CHANNEL:
        DrawChannel(draw.hdc);
        break;
    case TBCD_THUMB:
        DrawThumb(draw.hdc);
        break;
    default: // tick marks
        result = CDRF_DODEFAULT;
        break;
    }
    if (draw.uItemState & (CDIS_FOCUS | CDIS_HOT)) {
        if (HWND parent = GetParent(m_hWnd))
            SetFocus(parent);
    }
    return result;
}

void CSliderCtrlEx::DrawChannel(HDC dc) const {
    RECT client;
    GetClientRect(m_hWnd, &client);
    GdiBrush background(CreateSolidBrush(m_bkColor));
    FillRect(dc, &client, background.Get());
    m_channel.StretchOver(dc, client);
}

void CSliderCtrlEx::DrawThumb(HDC dc) const {
    if (m_thumb.IsNull())
        return;
    RECT client, thumb = {};
    GetClientRect(m_hWnd, &client);
    SendMessageW(m_hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const RECT played = {0, 0, PlayedPartRight(thumb.left), client.bottom};
    if (played.right > 0) // a negative width would mirror the picture
        m_played.StretchOver(dc, played);
    const PicturePlace place = ThumbPicturePlace(thumb.left, client.bottom, m_thumb.Height());
    m_thumb.DrawWithAlpha(dc, place.x, place.y);
}

void CSliderCtrlEx::Redraw() const {
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}
