// The drawing view's shapes and what the operator's clicks do to them: one
// four-cornered region (of interest or to ignore) and one tripwire with its
// crossing direction, in view client pixels. No window is involved; the view
// feeds it mouse positions and paints what it holds.
#pragma once

#include "task_params.h"
#include "view_geometry.h"

#include <array>
#include <string>

enum class ShapeState { Hidden = 0, Drawing = 1, Complete = 2 };
enum class ActiveShape { None = 0, Region = 1, Tripwire = 2 };

class ShapeEditor {
public:
    // Each returns whether the view must repaint.
    bool LeftButtonDown(ViewPoint at);
    bool MouseMove(ViewPoint at);
    bool RightButtonUp();

    // Commands of the parameter panel.
    void BeginRegion(bool isInterest);
    void BeginTripwire();
    void HideTripwire();

    // Shapes from records normalised to a client area of the given size.
    void SetRegion(const RegionSetting& region, bool readOnly, int clientWidth, int clientHeight);
    void SetTripwire(const TripwireSetting& tripwire, bool readOnly, int clientWidth,
                     int clientHeight);

    // The parameter texts of the complete shapes, normalised to the client
    // size; empty while a shape is not complete.
    std::wstring RegionText(int clientWidth, int clientHeight) const;
    std::wstring TripwireText(int clientWidth, int clientHeight) const;

    ShapeState RegionState() const { return m_regionState; }
    ShapeState TripwireState() const { return m_tripwireState; }
    const std::array<ViewPoint, 4>& Corners() const { return m_corners; }
    ViewPoint TripwireStart() const { return m_wire[0]; }
    ViewPoint TripwireEnd() const { return m_wire[1]; }
    bool IsRegionOfInterest() const { return m_attr == 1; }
    int ArrowDirection() const { return m_arrowDir; }
    int CrossDirection() const { return m_crossDir; }
    bool IsReadOnly() const { return m_readOnly; }

private:
    void ClearRegion();
    void ClearTripwire();
    int NextUnfixedCorner() const;

    ShapeState m_regionState = ShapeState::Hidden;
    ShapeState m_tripwireState = ShapeState::Hidden;
    std::array<ViewPoint, 4> m_corners{};
    std::array<bool, 4> m_cornerFixed{};
    std::array<ViewPoint, 2> m_wire{};
    std::array<bool, 2> m_wireFixed{};
    int m_crossDir = 0;
    int m_arrowDir = 0;
    int m_attr = 1;
    ActiveShape m_lastShape = ActiveShape::None;
    bool m_readOnly = false;
};
