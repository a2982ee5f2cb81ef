// The drawing view: the snapshot with the detection region and the tripwire
// drawn on it. Clicks edit the shapes (ShapeEditor); the parameter panel
// starts a shape through two messages the control forwards.
#pragma once

#include "config_messages.h"
#include "gdi.h"
#include "image_view_ctrl.h"
#include "shape_editor.h"

class CDrawROIAndTripWireView : public CImageViewCtrl {
public:
    CDrawROIAndTripWireView();

    void BeginRegion(bool isInterest);
    void BeginTripwire();
    void HideTripwire();
    void SetRegion(const RegionSetting& region, bool readOnly);
    void SetTripwire(const TripwireSetting& tripwire, bool readOnly);
    std::wstring RegionString() const;
    std::wstring TripwireString() const;

    const ShapeEditor& Shapes() const { return m_shapes; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DrawOverlay(HDC dc, int width, int height) override;

private:
    SIZE ClientSize() const;
    void DrawRegion(HDC dc) const;
    void DrawTripwire(HDC dc, int width, int height) const;

    ShapeEditor m_shapes;
    GdiPen m_interestPen;
    GdiPen m_ignorePen;
    GdiPen m_tripwirePen;
    GdiPen m_arrowPen;
};
