// An owner-drawn push button that shows one colour and lets the operator
// choose another in the system's colour dialog. Its parent reflects the
// button's notifications back to it (ReflectNotification) and learns of a
// chosen colour from kColorChosenMessage.
#pragma once

#include "subclassed_window.h"

#include <cstdint>

// Sent to the parent after the colour dialog's OK: wParam the colour,
// lParam the button's id.
inline constexpr UINT kColorChosenMessage = WM_USER + 1;

class CColorSelButton : public SubclassedWindow {
public:
    CColorSelButton() = default;
    ~CColorSelButton() override { Unsubclass(); }

    // COLORREF; 0xFFFFFFFF (-1) counts as no colour and shows as a cross.
    uint32_t Color() const { return m_color; }
    void SetColor(uint32_t color);

    // The custom colours of the colour dialog, shared by every button.
    static COLORREF* CustomColors();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Draw(const DRAWITEMSTRUCT& item) const;
    void ChooseColor();

    uint32_t m_color = RGB(128, 128, 128);
    bool m_choosing = false;
};
