// A push button drawn from up to four state pictures (normal, hover,
// pressed, disabled) with their alpha over the parent's background, with
// hover tracking and an optional tooltip. It subclasses a button created by
// someone else (a dialog item) and keeps that button's own mouse, keyboard
// and clicked-command behaviour.
#pragma once

#include "button_face.h"
#include "message_map.h"
#include "owned_window.h"
#include "skin_picture.h"
#include "subclassed_window.h"

#include <string>

class CImageButton : public SubclassedWindow {
public:
    // Extended style bits.
    static constexpr DWORD kHoverTracking = 0x1; // the hover picture follows the mouse
    static constexpr DWORD kAutoSize = 0x8;      // the button takes its normal picture's size

    CImageButton() = default;
    ~CImageButton() override;

    // Takes over the button: owner-drawn style, tooltip, and its pictures'
    // size when they are loaded and kAutoSize is set.
    bool Subclass(HWND button);

    // Loads the pictures (all but the first may be null). 1 on success; 0 when
    // the first is null or cannot be loaded, and then the button has none.
    int SetImages(const wchar_t* normal, const wchar_t* hover, const wchar_t* pressed,
                  const wchar_t* disabled);
    // The tooltip shows a copy of text over the whole button; null removes it.
    void SetToolTipText(const wchar_t* text);
    // Changes the bits of mask to those of style (all bits when mask is 0);
    // returns the previous style.
    DWORD SetExtendedStyle(DWORD style, DWORD mask = 0);

    DWORD ExtendedStyle() const { return m_extendedStyle; }
    const std::wstring& ToolTipText() const { return m_toolTipText; }
    HWND ToolTip() const { return m_toolTip.Get(); }
    // The picture the button shows in its current state.
    ButtonFace CurrentFace() const;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM, bool& handled);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM, bool& handled);
    LRESULT OnReflectedDrawItem(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseLeave(WPARAM, LPARAM, bool& handled);

    void Paint(HDC dc);
    const SkinPicture* PictureFor(ButtonFace face) const;
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateToolTip();
    void AttachToolTipText();
    void SizeToPicture();
    void Redraw();

    static const MessageEntry<CImageButton> kMessages[];

    DWORD m_extendedStyle = kAutoSize;
    bool m_mouseOver = false;
    SkinPicture m_normal;
    SkinPicture m_hover;
    SkinPicture m_pressed;
    SkinPicture m_disabled;
    OwnedWindow m_toolTip;
    std::wstring m_toolTipText;
    bool m_hasToolTipText = false;
};
