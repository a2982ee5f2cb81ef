#include "picture_geometry.h"

#include <algorithm>

PixelRect FitPictureRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || clientWidth <= 0 || clientHeight <= 0)
        return PixelRect{};
    const double ratio = static_cast<double>(pictureWidth) / pictureHeight;
    int width = pictureWidth;
    int height = pictureHeight;
    if (pictureWidth < clientWidth && pictureHeight < clientHeight) {
        // Natural size.
    } else if (pictureHeight >= clientHeight) {
        height = clientHeight;
        // A very wide picture may not fit an int after scaling; the clamp
        // below takes it to the client width anyway.
        width = static_cast<int>(std::min(ratio * clientHeight, static_cast<double>(clientWidth)));
    } else {
        width = clientWidth;
        height = static_cast<int>(clientWidth / ratio);
    }
    width = std::min(width, clientWidth);
    height = std::min(height, clientHeight);
    const int left = (clientWidth - width) / 2;
    const int top = (clientHeight - height) / 2;
    return PixelRect{left, top, left + width, top + height};
}

SearchPictureLayout LayOutSearchPicture(const PixelRect& client) {
    constexpr int kButtonWidth = 87;
    constexpr int kButtonHeight = 26;
    const auto button = [&](int fromRight) {
        const int left = client.right - fromRight;
        const int top = client.bottom - 33;
        return PixelRect{left, top, left + kButtonWidth, top + kButtonHeight};
    };
    SearchPictureLayout layout;
    layout.importButton = button(358);
    layout.outlineButton = button(271);
    layout.okButton = button(184);
    layout.cancelButton = button(97);
    const int left = client.left + 5;
    const int top = client.top + 35;
    layout.canvas = PixelRect{left, top, left + std::max(0, client.Width() - 10),
                              top + std::max(0, client.Height() - 73)};
    return layout;
}
