// Where the picker dialog puts its buttons and canvas, and where the canvas
// shows the picture.
#pragma once

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The rectangle, in a client area of clientWidth x clientHeight, where a
// picture of pictureWidth x pictureHeight is shown: at natural size when it
// fits both ways, otherwise fitted by height (or by width when only the width
// is too large), clamped to the client area and centred. Sizes that are not
// positive give an empty rectangle.
PixelRect FitPictureRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);

// The dialog's children for a client rectangle: the four buttons along the
// bottom right (import, outline, OK, cancel) and the canvas above them.
struct SearchPictureLayout {
    PixelRect importButton;
    PixelRect outlineButton;
    PixelRect okButton;
    PixelRect cancelButton;
    PixelRect canvas;
};
SearchPictureLayout LayOutSearchPicture(const PixelRect& client);
