// KUIBaseDlg: a borderless dialog that paints its title bar, status strip,
// borders and close button inside its client area from a skin folder
// (Title.bmp, Status.bmp, Border.bmp and close_*.png), is dragged by its
// title bar and has slightly rounded corners.
#pragma once

#include "skinshell_api.h"

#include "dialog.h"
#include "frame_geometry.h"
#include "gdi.h"
#include "gdiplus_session.h"
#include "skin_bitmap.h"

#include <string>

class SKINSHELL_API KUIBaseDlg : public Dialog {
public:
    KUIBaseDlg(UINT templateId, HWND parent = nullptr);
    ~KUIBaseDlg() override;

    // Store the value and return it (negative values count as 0).
    int SetTitleBarHeight(int height);
    int SetBottomHeight(int height);
    // Stores the title text; returns its length.
    int SetTitle(const wchar_t* text);
    // Uses the skin in folder from now on: the pictures are reloaded at once
    // and the window repainted. Set before the dialog is created, it replaces
    // the default folder (the library's "res\DialogSkin").
    void SetSkinPath(const wchar_t* folder);

    static const RuntimeClass classKUIBaseDlg;
    const RuntimeClass* GetRuntimeClass() const override;

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam, bool& handled);

private:
    enum class CloseLook { Normal, Hover, Pressed };

    void LoadSkin();
    void Paint(HDC dc, CloseLook look);
    void RepaintCloseButton(CloseLook look);
    CloseLook LookAt(POINT point) const;

    static const MessageEntry<KUIBaseDlg> kMessages[];

    GdiplusSession m_gdiplus;
    std::wstring m_title = L"KUIBaseDlg";
    GdiFont m_titleFont;
    int m_titleBarHeight = 35;
    int m_bottomHeight = 3;
    int m_sideWidth = 19;
    int m_middleWidth = 1;
    int m_borderWidth = 3;
    std::wstring m_skinFolder; // empty until set or until the dialog is created
    SkinBitmap m_titleBitmap;
    SkinBitmap m_statusBitmap;
    SkinBitmap m_borderBitmap;
    std::wstring m_closeNormal;
    std::wstring m_closeHover;
    std::wstring m_closePressed;
    SkinRect m_closeRect;
    bool m_pressed = false;
    CloseLook m_shownLook = CloseLook::Normal;
    bool m_trackingLeave = false;
    GdiBrush m_background;
};
