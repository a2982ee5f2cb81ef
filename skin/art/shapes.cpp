#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double DistanceToSegment(double x, double y, const Point& a, const Point& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

} // namespace

Shape Rect(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        // Distance from the inner rectangle whose corners are the arcs' centres.
        const double dx = std::max({x0 + radius - x, 0.0, x - (x1 - radius)});
        const double dy = std::max({y0 + radius - y, 0.0, y - (y1 - radius)});
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; };
}

Shape Ring(double cx, double cy, double radius, double width) {
    return [=](double x, double y) {
        return std::abs(std::hypot(x - cx, y - cy) - radius) <= width / 2;
    };
}

Shape Polygon(std::vector<Point> corners) {
    return [corners = std::move(corners)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
}

Shape Stroke(std::vector<Point> points, double width) {
    return [points = std::move(points), half = width / 2](double x, double y) {
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            if (DistanceToSegment(x, y, points[i], points[i + 1]) <= half)
                return true;
        }
        return points.size() == 1 && std::hypot(x - points[0].x, y - points[0].y) <= half;
    };
}

Shape Union(std::vector<Shape> parts) {
    return [parts = std::move(parts)](double x, double y) {
        return std::any_of(parts.begin(), parts.end(), [&](const Shape& s) { return s(x, y); });
    };
}

Shape Minus(Shape shape, Shape hole) {
    return [shape = std::move(shape), hole = std::move(hole)](double x, double y) {
        return shape(x, y) && !hole(x, y);
    };
}

Shape Offset(Shape shape, double dx, double dy) {
    return [shape = std::move(shape), dx, dy](double x, double y) { return shape(x - dx, y - dy); };
}
