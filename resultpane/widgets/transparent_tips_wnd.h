// A small semi-transparent popup that shows a short message over its owner:
// white text on black, rounded corners, fading in and out, hidden again two
// seconds after it was shown unless the cursor rests on it.
#pragma once

#include "gdi.h"
#include "message_map.h"
#include "window.h"

#include <string>

class CTransparentTipsWnd : public CustomWindow {
public:
    CTransparentTipsWnd() = default;
    ~CTransparentTipsWnd() override { Destroy(); }

    // Creates the (hidden) popup, owned by parent and centred on it until
    // SetOwner names another window.
    bool Create(HWND parent);

    // The window the tip is centred on.
    void SetOwner(HWND owner) { m_owner = owner; }
    // Stores the text and sizes the window for it.
    void SetText(const std::wstring& text);
    // 1 fades the tip in (fading a visible one out first) and starts the hide
    // timer; 0 fades it out and hides it.
    void ShowTips(int show);

    const std::wstring& Text() const { return m_text; }
    UINT_PTR TimerId() const { return m_timerId; }
    HWND Owner() const { return m_owner; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override { m_timerId = 0; }

private:
    LRESULT OnCreate(WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnTimer(WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnMouseMove(WPARAM, LPARAM, bool& handled);
    LRESULT OnMouseLeave(WPARAM, LPARAM, bool& handled);

    void Hide();
    void FadeTo(int from, int to);
    void CentreOnOwner();
    void StopTimer();
    HFONT Font();

    static const MessageEntry<CTransparentTipsWnd> kMessages[];

    std::wstring m_text;
    UINT_PTR m_timerId = 0;
    HWND m_owner = nullptr;
    GdiFont m_font;
};
