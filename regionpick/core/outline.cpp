#include "outline.h"

#include <cstdlib>

void Outline::Reset() {
    m_points.clear();
    m_ptFirst = PixelPoint{-1, -1};
    m_bSelecting = false;
}

void Outline::Start() {
    Reset();
    m_bSelecting = true;
}

// A cleared outline has no first vertex, so no place to hint at closing: the
// wait cursor must not appear near a vertex that is gone (or near the
// picture's corner, where the "none" marker lies).
void Outline::Clear() {
    m_points.clear();
    m_ptFirst = PixelPoint{-1, -1};
}

bool Outline::IsNearFirst(int a, int b) const {
    if (m_ptFirst.x < 0)
        return false;
    return std::abs(a - m_ptFirst.x) <= 1 && std::abs(b - m_ptFirst.y) <= 1;
}

bool Outline::AddClick(int a, int b, int width, int height) {
    if (!m_bSelecting || width <= 0 || height <= 0)
        return false;
    if (m_points.empty())
        m_ptFirst = PixelPoint{a, b};
    m_points.push_back(
        NormalizedPoint{static_cast<double>(a) / width, static_cast<double>(b) / height});
    if (m_points.size() >= 2 && IsNearFirst(a, b)) {
        m_bSelecting = false;
        return true;
    }
    return false;
}

PixelPoint Outline::ToPixels(const NormalizedPoint& point, int width, int height) {
    return PixelPoint{static_cast<int>(point.x * width), static_cast<int>(point.y * height)};
}

void Outline::Rescale(int width, int height) {
    if (!m_points.empty())
        m_ptFirst = ToPixels(m_points.front(), width, height);
}
