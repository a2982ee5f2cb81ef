#include "shape_editor.h"

#include "parameter_writers.h"

namespace {

constexpr ViewPoint kOrigin{0, 0};

float Normalised(int pixel, int size) {
    return size > 0 ? static_cast<float>(pixel) / static_cast<float>(size) : 0.0f;
}

int Pixel(double normalised, int size) {
    const double value = normalised * size;
    // Values from outside are not trusted to fit an int.
    if (!(value > -1e9 && value < 1e9))
        return 0;
    return static_cast<int>(value);
}

} // namespace

int ShapeEditor::NextUnfixedCorner() const {
    for (int i = 0; i < 4; ++i)
        if (!m_cornerFixed[i])
            return i;
    return 4;
}

void ShapeEditor::ClearRegion() {
    m_corners.fill(kOrigin);
    m_cornerFixed.fill(false);
}

void ShapeEditor::ClearTripwire() {
    m_wire.fill(kOrigin);
    m_wireFixed.fill(false);
}

bool ShapeEditor::LeftButtonDown(ViewPoint at) {
    if (m_readOnly)
        return false;
    if (m_regionState == ShapeState::Drawing) {
        const int corner = NextUnfixedCorner();
        if (corner < 4) {
            m_corners[corner] = at;
            m_cornerFixed[corner] = true;
        }
        if (corner >= 3) {
            m_regionState = ShapeState::Complete;
            m_lastShape = ActiveShape::Region;
        }
    } else if (m_tripwireState == ShapeState::Drawing) {
        if (!m_wireFixed[0]) {
            m_wire[0] = at;
            m_wireFixed[0] = true;
        } else {
            m_wire[1] = at;
            m_wireFixed[1] = true;
            m_arrowDir = m_crossDir = 0;
            m_tripwireState = ShapeState::Complete;
            m_lastShape = ActiveShape::Tripwire;
        }
    } else if (m_tripwireState == ShapeState::Complete) {
        m_arrowDir = m_crossDir =
            NextCrossDirection(m_crossDir, IsClickOnSideA(m_wire[0], m_wire[1], at));
    }
    return true;
}

bool ShapeEditor::MouseMove(ViewPoint at) {
    if (m_regionState == ShapeState::Drawing) {
        if (!m_cornerFixed[0]) {
            m_corners[0] = at;
            return false;
        }
        const int corner = NextUnfixedCorner();
        if (corner < 4)
            m_corners[corner] = at;
        return true;
    }
    if (m_tripwireState == ShapeState::Drawing) {
        if (!m_wireFixed[0]) {
            m_wire[0] = at;
            return false;
        }
        if (!m_wireFixed[1]) {
            m_wire[1] = at;
            return true;
        }
    }
    return false;
}

bool ShapeEditor::RightButtonUp() {
    if (m_readOnly)
        return false;
    if (m_lastShape == ActiveShape::Region && m_regionState != ShapeState::Hidden) {
        ClearRegion();
        m_regionState = ShapeState::Drawing;
        return true;
    }
    if (m_lastShape == ActiveShape::Tripwire && m_tripwireState != ShapeState::Hidden) {
        ClearTripwire();
        m_crossDir = 0;
        m_tripwireState = ShapeState::Drawing;
        return true;
    }
    return false;
}

void ShapeEditor::BeginRegion(bool isInterest) {
    const int attr = isInterest ? 1 : 0;
    if (attr != m_attr) {
        ClearRegion();
        m_attr = attr;
    }
    if (m_tripwireState == ShapeState::Drawing) {
        ClearTripwire();
        m_tripwireState = ShapeState::Hidden;
    }
    m_lastShape = ActiveShape::Region;
    // Choosing the kind a finished region already has keeps it, as choosing
    // the tripwire again keeps a finished line; otherwise the region would
    // silently drop out of the parameters.
    const bool finished = m_regionState == ShapeState::Complete && NextUnfixedCorner() == 4;
    m_regionState = finished ? ShapeState::Complete : ShapeState::Drawing;
}

void ShapeEditor::BeginTripwire() {
    m_tripwireState = m_wireFixed[0] && m_wireFixed[1] ? ShapeState::Complete : ShapeState::Drawing;
    if (m_regionState == ShapeState::Drawing) {
        ClearRegion();
        m_regionState = ShapeState::Hidden;
    }
    m_lastShape = ActiveShape::Tripwire;
}

void ShapeEditor::HideTripwire() {
    m_tripwireState = ShapeState::Hidden;
}

void ShapeEditor::SetRegion(const RegionSetting& region, bool readOnly, int clientWidth,
                            int clientHeight) {
    m_readOnly = readOnly;
    if (region.attr == -1) {
        m_regionState = ShapeState::Hidden;
        return;
    }
    for (int i = 0; i < 4; ++i)
        m_corners[i] = {Pixel(region.x[i], clientWidth), Pixel(region.y[i], clientHeight)};
    m_attr = region.attr;
    m_regionState = ShapeState::Complete;
}

void ShapeEditor::SetTripwire(const TripwireSetting& tripwire, bool readOnly, int clientWidth,
                              int clientHeight) {
    m_readOnly = readOnly;
    if (tripwire.crossdir < -1 || tripwire.crossdir > 1) {
        m_tripwireState = ShapeState::Hidden;
        return;
    }
    m_wire[0] = {Pixel(tripwire.x1, clientWidth), Pixel(tripwire.y1, clientHeight)};
    m_wire[1] = {Pixel(tripwire.x2, clientWidth), Pixel(tripwire.y2, clientHeight)};
    m_arrowDir = m_crossDir = tripwire.crossdir;
    m_tripwireState = ShapeState::Complete;
}

std::wstring ShapeEditor::RegionText(int clientWidth, int clientHeight) const {
    if (m_regionState != ShapeState::Complete)
        return std::wstring();
    RegionSetting region;
    region.attr = m_attr;
    for (int i = 0; i < 4; ++i) {
        region.x[i] = Normalised(m_corners[i].x, clientWidth);
        region.y[i] = Normalised(m_corners[i].y, clientHeight);
    }
    return RegionString(region);
}

std::wstring ShapeEditor::TripwireText(int clientWidth, int clientHeight) const {
    if (m_tripwireState != ShapeState::Complete)
        return std::wstring();
    TripwireSetting tripwire;
    tripwire.crossdir = m_crossDir;
    tripwire.x1 = Normalised(m_wire[0].x, clientWidth);
    tripwire.y1 = Normalised(m_wire[0].y, clientHeight);
    tripwire.x2 = Normalised(m_wire[1].x, clientWidth);
    tripwire.y2 = Normalised(m_wire[1].y, clientHeight);
    return TripwireString(tripwire);
}
