// KSearchPicture: the picker's canvas. Shows the imported picture fitted into
// the canvas on a grey ground, lets the operator outline the target with
// clicks (a click near the first vertex closes the outline, a right click
// starts it over) and writes the target files for the outline.
#pragma once

#include "cursor_confinement.h"
#include "image.h"
#include "message_map.h"
#include "offscreen_surface.h"
#include "outline.h"
#include "picture_geometry.h"
#include "window.h"

#include <memory>
#include <string>

class KSearchPicture : public CustomWindow {
public:
    static constexpr const wchar_t* kClassName = L"KSearchPicture";

    ~KSearchPicture() override { Destroy(); }

    // A visible child of parent (no control identifier).
    bool CreateIn(HWND parent, const RECT& rect);
    void SetSaveDir(const std::wstring& folder) { m_strSaveDir = folder; }

    // 1 when the file was decoded and is now shown (the outline is dropped);
    // 0 keeps the current picture.
    int LoadPicture(const std::wstring& path);
    // 1 when outlining (re)starts with no vertices; 0 without a picture.
    int StartOutline();
    // obj.jpg and mask.jpg for the current outline; 1 or 0.
    int SaveTargetFiles();
    // mask.bin for the current outline; 1 or 0.
    int SaveMaskBin();
    bool HasPicture() const { return m_picture != nullptr; }

    const PixelRect& ImageRect() const { return m_rcImage; }
    const Outline& CurrentOutline() const { return m_outline; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnPaint(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);
    LRESULT OnLButtonDown(WPARAM, LPARAM, bool& handled);
    LRESULT OnMouseMove(WPARAM, LPARAM, bool& handled);
    LRESULT OnRButtonDown(WPARAM, LPARAM, bool& handled);
    LRESULT OnDestroy(WPARAM, LPARAM, bool& handled);

    // Recomputes m_rcImage for the client size and rescales the picture.
    void FitPicture();
    void RebuildBackBuffer();
    // Paints the back buffer and has the window show it.
    void Redraw();
    void ConfineCursorToPicture();
    bool IsOutlining() const { return m_outline.IsSelecting() && HasPicture(); }

    static const MessageEntry<KSearchPicture> kMessages[];

    std::unique_ptr<Image> m_picture;
    std::wstring m_strPicture;
    std::wstring m_strSaveDir;
    OffscreenSurface m_backBuffer;
    OffscreenSurface m_scaledPicture; // the picture at m_rcImage's size
    PixelRect m_rcImage;
    Outline m_outline; // m_points, m_ptFirst, m_bSelecting
    PixelPoint m_ptCursor;
    CursorConfinement m_cursorClip;
};
