// A horizontal trackbar drawn from three pictures (channel background,
// played part, thumb) that jumps straight to the clicked position. It
// subclasses a trackbar created by someone else (a dialog item); its parent
// must reflect notifications (ReflectNotification) for the pictures to be
// drawn. The slider does not keep the focus: it hands it to its parent
// (unless the parent hands it straight back).
#pragma once

#include "message_map.h"
#include "skin_picture.h"
#include "subclassed_window.h"

#include <commctrl.h>

class CSliderCtrlEx : public SubclassedWindow {
public:
    CSliderCtrlEx() = default;
    ~CSliderCtrlEx() override { Unsubclass(); }

    // Each replaces its picture (a null path or a failed load leaves none).
    void SetBkImage(const wchar_t* path);
    void SetOverBkImage(const wchar_t* path);
    void SetThumbImage(const wchar_t* path);
    void SetBkColor(COLORREF colour);
    // Moves the thumb unless the operator is dragging it.
    void SetPosIfIdle(int position);

    bool IsDragging() const { return m_dragging; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override { m_dragging = false; }

private:
    LRESULT OnSetFocus(WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM, bool& handled);
    LRESULT OnLButtonDown(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnMouseMove(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnLButtonUp(WPARAM, LPARAM, bool& handled);
    LRESULT OnReflectedNotify(WPARAM, LPARAM lParam, bool& handled);

    void JumpTo(LPARAM mousePosition);
    LRESULT CustomDraw(NMCUSTOMDRAW& draw);
    void DrawChannel(HDC dc) const;
    void DrawThumb(HDC dc) const;
    void Redraw() const;

    static const MessageEntry<CSliderCtrlEx> kMessages[];

    COLORREF m_bkColor = RGB(0, 0, 0);
    SkinPicture m_channel;
    SkinPicture m_played;
    SkinPicture m_thumb;
    bool m_dragging = false;
    bool m_handingFocusOn = false;
};
