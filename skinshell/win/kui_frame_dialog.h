// KUIFrameDialog: a borderless pop-up dialog whose title bar, status bar,
// borders, icon and minimise, maximise/restore and close buttons are painted
// from a skin folder, tuned by the folder's "skin.ini" (section "Frame") and,
// when the skin says so, resized by its edges.
//
// A derived dialog puts its controls inside GetClientRectEX and extends the
// message table with its own (see message_map.h); its WM_INITDIALOG handler
// calls KUIFrameDialog::OnInitDialog first.
#pragma once

#include "skinshell_api.h"

#include "dialog.h"
#include "frame_geometry.h"
#include "frame_settings.h"
#include "gdi.h"
#include "gdiplus_session.h"
#include "skin_bitmap.h"
#include "tool_tips.h"

#include <string>

class SKINSHELL_API KUIFrameDialog : public Dialog {
public:
    KUIFrameDialog(UINT templateId, HWND parent = nullptr);
    ~KUIFrameDialog() override;

    // The folder of every skin file ("res", relative to the current
    // directory, unless set); it takes effect when the dialog is created.
    void SetSkinPath(const wchar_t* folder);
    // The title painted while the window has no text; returns its length.
    int SetTitle(const wchar_t* text);
    void GetWindowRectEX(RECT* rect) const;
    // The client area less the borders, the title bar and the status bar:
    // the area left for the derived dialog's controls.
    void GetClientRectEX(RECT* rect) const;
    // Repaints the status strip alone, for derived dialogs that draw over it.
    void EraseStatuBk();

    static const RuntimeClass classKUIFrameDialog;
    const RuntimeClass* GetRuntimeClass() const override;

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, bool& handled);
    // The framework's default colours.
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam, bool& handled);

    // The settings in use: the skin file's, or the defaults.
    const FrameSettings& Settings() const { return m_settings; }

private:
    struct Pictures {
        std::wstring minNormal, minHover, maxNormal, maxHover, restoreNormal, restoreHover,
            closeNormal, closeHover, icon;
    };

    FrameSettings ReadSkinFile(std::vector<std::wstring>& messages) const;
    void ApplyFrameStyle();
    SystemButtons Buttons() const;
    void Paint(HDC dc, int hover) const;
    void DrawButtons(HDC dc, const SystemButtons& buttons, int hover) const;
    void RepaintButtons();
    void UpdateToolTips(const SystemButtons& buttons);

    static const MessageEntry<KUIFrameDialog> kMessages[];

    GdiplusSession m_gdiplus;
    std::wstring m_strSkinPath = L"res";
    std::wstring m_strTitle = L"KUIFrameDialog";
    GdiFont m_titleFont;
    FrameSettings m_settings;
    int m_regionInset = 0;
    bool m_pressed = false;
    int m_hover = kNoButton;
    bool m_trackingLeave = false;
    SkinBitmap m_title;
    SkinBitmap m_status;
    SkinBitmap m_border;
    Pictures m_pictures;
    CToolTips m_toolTips;
};
