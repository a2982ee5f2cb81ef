// CToolTips: a tooltip control for rectangles of one window (the frame
// dialog's system buttons).
#pragma once

#include "skinshell_api.h"

#include "owned_window.h"

#include <windows.h>

#include <commctrl.h>

class SKINSHELL_API CToolTips {
public:
    CToolTips();
    ~CToolTips();
    CToolTips(const CToolTips&) = delete;
    CToolTips& operator=(const CToolTips&) = delete;

    // Creates the control, owned by owner; false when it cannot be made.
    BOOL Create(HWND owner, DWORD style = TTS_ALWAYSTIP);
    HWND GetSafeHwnd() const { return m_window.Get(); }

    // Adds a tool with id over rect (client coordinates) of the owner window
    // (the control's owner, or its parent when it has none). The control
    // subclasses that window to see its mouse messages. A tool with the same
    // id is replaced, so the rectangles can follow the window's size. Returns
    // the control's answer (FALSE when there is no control).
    BOOL AddToolTip(UINT id, const RECT& rect, const wchar_t* text);

private:
    OwnedWindow m_window;
};
