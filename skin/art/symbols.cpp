#include "symbols.h"

Shape PlaySymbol() {
    return Polygon({{8, 4.5}, {8, 19.5}, {19.5, 12}});
}

Shape PauseSymbol() {
    return Union({RoundRect(6.5, 5, 10.5, 19, 1), RoundRect(13.5, 5, 17.5, 19, 1)});
}

Shape StopSymbol() {
    return RoundRect(6, 6, 18, 18, 1.5);
}

Shape TimeSymbol() {
    return Union({Ring(12, 12, 8.5, 2.2), Stroke({{12, 6.5}, {12, 12}, {16, 14.5}}, 2.2)});
}

Shape ObjectSymbol() {
    const double w = 2.0;
    return Union({
        Stroke({{3.5, 8}, {3.5, 4}, {7.5, 4}}, w),
        Stroke({{16.5, 4}, {20.5, 4}, {20.5, 8}}, w),
        Stroke({{20.5, 16}, {20.5, 20}, {16.5, 20}}, w),
        Stroke({{7.5, 20}, {3.5, 20}, {3.5, 16}}, w),
        Circle(12, 9, 2.6),
        RoundRect(8, 12.5, 16, 17.5, 2.5),
    });
}

Shape CaptureSymbol() {
    const Shape body = Union({RoundRect(2.5, 7.5, 21.5, 19.5, 2.5), RoundRect(8, 4.5, 16, 9, 1.2)});
    return Union({Minus(body, Circle(12, 13.5, 4.6)), Circle(12, 13.5, 2.6)});
}

Shape DownloadSymbol() {
    return Union({
        Rect(10.8, 3.5, 13.2, 12),
        Polygon({{6.5, 10.5}, {17.5, 10.5}, {12, 16.5}}),
        Stroke({{4, 15}, {4, 20}, {20, 20}, {20, 15}}, 2.2),
    });
}

Shape CutSymbol() {
    return Union({
        Ring(7, 17.5, 3, 2),
        Ring(17, 17.5, 3, 2),
        Stroke({{8.9, 15.2}, {17.5, 3.5}}, 2.2),
        Stroke({{15.1, 15.2}, {6.5, 3.5}}, 2.2),
    });
}

Shape FullScreenSymbol() {
    const double w = 2.4;
    return Union({
        Stroke({{4, 9.5}, {4, 4}, {9.5, 4}}, w),
        Stroke({{14.5, 4}, {20, 4}, {20, 9.5}}, w),
        Stroke({{20, 14.5}, {20, 20}, {14.5, 20}}, w),
        Stroke({{9.5, 20}, {4, 20}, {4, 14.5}}, w),
    });
}

Shape ColumnsSymbol(int columns) {
    const double left = 3, right = 21, gap = 1.8;
    const double width = (right - left - gap * (columns - 1)) / columns;
    std::vector<Shape> tiles;
    for (int row = 0; row < 2; ++row) {
        const double top = row == 0 ? 4 : 13;
        for (int c = 0; c < columns; ++c) {
            const double x = left + c * (width + gap);
            tiles.push_back(RoundRect(x, top, x + width, top + 7, 1));
        }
    }
    return Union(std::move(tiles));
}

Shape SearchByPictureSymbol() {
    const Shape picture =
        Union({Minus(RoundRect(1.5, 3, 17, 16.5, 1.5), RoundRect(3.5, 5, 15, 14.5, 0.5)),
               Polygon({{4, 14.5}, {8.5, 8.5}, {12, 14.5}}), Circle(12, 8, 1.6)});
    const Shape lens = Union({Ring(16, 15.5, 3.8, 2.2), Stroke({{18.8, 18.3}, {22, 21.5}}, 2.8)});
    // The glass covers the picture: cut a margin around it out of the picture.
    return Union({Minus(picture, Circle(16, 15.5, 6)), lens});
}
