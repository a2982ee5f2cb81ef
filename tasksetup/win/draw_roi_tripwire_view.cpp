#include "draw_roi_tripwire_view.h"

#include <windowsx.h>

namespace {

constexpr int kPenWidth = 2;

void Line(HDC dc, ViewPoint from, ViewPoint to) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

bool IsSet(ViewPoint p) {
    return p.x != 0 || p.y != 0;
}

void Arrow(HDC dc, const ViewSegment& arrow) {
    Line(dc, arrow.from, arrow.to);
    for (const ViewSegment& stroke : ArrowHead(arrow))
        Line(dc, stroke.from, stroke.to);
}

} // namespace

CDrawROIAndTripWireView::CDrawROIAndTripWireView()
    : m_interestPen(CreatePen(PS_SOLID, kPenWidth, RGB(0, 255, 0))),
      m_ignorePen(CreatePen(PS_SOLID, kPenWidth, RGB(255, 128, 0))),
      m_tripwirePen(CreatePen(PS_SOLID, kPenWidth, RGB(255, 0, 0))),
      m_arrowPen(CreatePen(PS_SOLID, kPenWidth, RGB(0, 0, 255))) {}

SIZE CDrawROIAndTripWireView::ClientSize() const {
    RECT client = {};
    if (m_hWnd)
        GetClientRect(m_hWnd, &client);
    return SIZE{client.right, client.bottom};
}

void CDrawROIAndTripWireView::BeginRegion(bool isInterest) {
    m_shapes.BeginRegion(isInterest);
    Repaint();
}

void CDrawROIAndTripWireView::BeginTripwire() {
    m_shapes.BeginTripwire();
    Repaint();
}

void CDrawROIAndTripWireView::HideTripwire() {
    m_shapes.HideTripwire();
    Repaint();
}

void CDrawROIAndTripWireView::SetRegion(const RegionSetting& region, bool readOnly) {
    const SIZE size = ClientSize();
    m_shapes.SetRegion(region, readOnly, size.cx, size.cy);
    Repaint();
}

void CDrawROIAndTripWireView::SetTripwire(const TripwireSetting& tripwire, bool readOnly) {
    const SIZE size = ClientSize();
    m_shapes.SetTripwire(tripwire, readOnly, size.cx, size.cy);
    Repaint();
}

std::wstring CDrawROIAndTripWireView::RegionString() const {
    const SIZE size = ClientSize();
    return m_shapes.RegionText(size.cx, size.cy);
}

std::wstring CDrawROIAndTripWireView::TripwireString() const {
    const SIZE size = ClientSize();
    return m_shapes.TripwireText(size.cx, size.cy);
}

bool CDrawROIAndTripWireView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
    const ViewPoint at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
        if (m_shapes.LeftButtonDown(at))
            Repaint();
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (m_shapes.MouseMove(at))
            Repaint();
        result = 0;
        return true;
    case WM_RBUTTONUP:
        if (m_shapes.RightButtonUp())
            Repaint();
        result = 0;
        return true;
    case kTripwireMessage:
        if (wParam != 0)
            BeginTripwire();
        else
            HideTripwire();
        result = 1;
        return true;
    case kRegionMessage:
        BeginRegion(wParam == 1);
        result = 1;
        return true;
    default:
        return CImageViewCtrl::OnMessage(message, wParam, lParam, result);
    }
}

void CDrawROIAndTripWireView::DrawOverlay(HDC dc, int width, int height) {
    DrawRegion(dc);
    DrawTripwire(dc, width, height);
}

void CDrawROIAndTripWireView::DrawRegion(HDC dc) const {
    const auto& p = m_shapes.Corners();
    const ShapeState state = m_shapes.RegionState();
    if (state == ShapeState::Hidden)
        return;
    SelectObjectScope pen(dc,
                          m_shapes.IsRegionOfInterest() ? m_interestPen.Get() : m_ignorePen.Get());
    if (state == ShapeState::Complete) {
        for (int i = 0; i < 4; ++i)
            Line(dc, p[i], p[(i + 1) % 4]);
        return;
    }
    // Being drawn: the sides reached so far, and the closing side once the
    // last corner has a place.
    for (int i = 0; i < 3; ++i)
        if (IsSet(p[i + 1]))
            Line(dc, p[i], p[i + 1]);
    if (IsSet(p[3]) && IsSet(p[0]))
        Line(dc, p[3], p[0]);
}

void CDrawROIAndTripWireView::DrawTripwire(HDC dc, int width, int height) const {
    const ShapeState state = m_shapes.TripwireState();
    const ViewPoint p1 = m_shapes.TripwireStart(), p2 = m_shapes.TripwireEnd();
    if (state == ShapeState::Hidden || (state == ShapeState::Drawing && !IsSet(p2)))
        return;
    {
        SelectObjectScope pen(dc, m_tripwirePen.Get());
        Line(dc, p1, p2);
    }
    if (state != ShapeState::Complete)
        return;
    SelectObjectScope pen(dc, m_arrowPen.Get());
    const auto arrows = TripwireArrows(p1, p2, width, height);
    const int direction = m_shapes.ArrowDirection();
    if (direction >= 0)
        Arrow(dc, arrows[0]);
    if (direction <= 0)
        Arrow(dc, arrows[1]);
}
