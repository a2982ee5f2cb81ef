// KUIBaseDlgEX: a dialog that keeps the system's frame but paints it itself
// from one sprite sheet ("res/frame.bmp" under the current directory): a
// 35-pixel title bar with the icon ("res/mainframe.ico"), the window text and
// the minimise, maximise/restore and close glyphs, and the borders.
#pragma once

#include "skinshell_api.h"

#include "dialog.h"
#include "frame_geometry.h"
#include "gdi.h"
#include "skin_bitmap.h"

class SKINSHELL_API KUIBaseDlgEX : public Dialog {
public:
    KUIBaseDlgEX(UINT templateId, HWND parent = nullptr);
    ~KUIBaseDlgEX() override;

    // The title bar's height.
    static const int m_captionHeight;

    // True on Windows 7 (platform NT, version 6.1) as the system reports it.
    static bool isWin7();

    // Paint the three system glyphs into dc (window coordinates): all
    // normal; one (1 maximise, 2 minimise, 3 close; 0 none) hovered or
    // pressed and the others normal; all as in an inactive window.
    void DrawButtonStateNormal(HDC dc);
    void DrawButtonStateHover(HDC dc, int which);
    void DrawButtonStateLButtonDown(HDC dc, int which);
    void DrawButtonStateUnWndActive(HDC dc);

    static const RuntimeClass classKUIBaseDlgEX;
    const RuntimeClass* GetRuntimeClass() const override;

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

    // Reports the system's caption buttons as caption and answers the
    // system's own caption and frame drawing messages without drawing.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcLButtonUp(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam, bool& handled);

private:
    enum class Row { Normal, HoverOrInactive, Pressed };

    void DrawGlyphs(HDC dc, int which, Row whichRow, Row othersRow);
    void DrawGlyphsAtRest(HDC dc);
    void PaintFrame();
    void UpdateButtonRects(int windowWidth);
    POINT WindowPoint(LPARAM screenPoint) const;

    static const MessageEntry<KUIBaseDlgEX> kMessages[];

    OwnedIcon m_icon;
    SkinBitmap m_sprite;
    GdiBrush m_background;
    GdiFont m_titleFont;
    bool m_active = true;
    int m_hover = kNoButton;
    bool m_trackingLeave = false;
    SkinRect m_iconRect;
    SystemButtons m_buttons;
    int m_innerBorder = 0;
};
