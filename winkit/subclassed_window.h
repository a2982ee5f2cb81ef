// A window created by someone else (a dialog item, a container's window)
// whose messages we take first. The window is not ours to destroy: the object
// lets go of it when the object or the window goes away.
#pragma once

#include "window.h"

class SubclassedWindow : public Window {
public:
    ~SubclassedWindow() override;

    bool Subclass(HWND window);
    void Unsubclass();
    bool IsSubclassed() const { return m_hWnd != nullptr; }

protected:
    // The window's own handling of a message.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
};
