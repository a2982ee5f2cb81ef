// A picture window over a placeholder static: loads a picture file and paints
// it stretched over its whole client area. LoadImage fits the window into its
// area with the picture's aspect ratio. Derived views paint on top.
#pragma once

#include "image.h"
#include "subclassed_window.h"
#include "view_geometry.h"

#include <string>

class CImageViewCtrl : public SubclassedWindow {
public:
    CImageViewCtrl() = default;
    ~CImageViewCtrl() override { Unsubclass(); }

    // A missing file keeps the current picture; a file that does not decode
    // leaves none. Returns whether a picture is loaded afterwards.
    bool LoadImage(const std::wstring& path);
    // The same for a picture file held in memory (any size, empty included).
    bool LoadImageBytes(std::string_view bytes);
    void GetImageSize(int& width, int& height) const;
    bool HasPicture() const { return !m_picture.IsNull(); }

    // The rectangle, in the parent's coordinates, the picture is fitted into.
    void SetArea(int x, int y, int width, int height);
    // Moves the window over the whole area (the picture stretches with it).
    void FillArea();

    void Repaint();
    // Paints the picture and the overlay onto dc (the window's client size).
    void Paint(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Drawn after the picture, on the same device context.
    virtual void DrawOverlay(HDC, int /*width*/, int /*height*/) {}

private:
    void FitToPicture();
    bool EnsureScaled(int width, int height);

    Image m_picture;
    ViewRect m_area;
    // The picture stretched to the client size, kept until either changes, so
    // that repainting while the operator draws copies instead of stretching.
    Image m_scaled;
    bool m_scaledValid = false;
    Image m_backBuffer;
};
