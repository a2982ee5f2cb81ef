// Regions of the plane for drawing flat artwork: a shape says whether a
// point lies inside it. Coordinates are in whatever units the caller maps
// onto pixels (see Canvas::Fill).
#pragma once

#include <functional>
#include <vector>

struct Point {
    double x;
    double y;
};

using Shape = std::function<bool(double x, double y)>;

Shape Rect(double x0, double y0, double x1, double y1);
Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double radius);
// The band between radius - width / 2 and radius + width / 2.
Shape Ring(double cx, double cy, double radius, double width);
// Any simple polygon (even-odd rule).
Shape Polygon(std::vector<Point> corners);
// A line of the given width through the points, with round ends and joints.
Shape Stroke(std::vector<Point> points, double width);

Shape Union(std::vector<Shape> parts);
Shape Minus(Shape shape, Shape hole);
Shape Offset(Shape shape, double dx, double dy);
