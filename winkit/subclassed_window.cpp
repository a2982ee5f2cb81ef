#include "subclassed_window.h"

#include <commctrl.h>

SubclassedWindow::~SubclassedWindow() {
    Unsubclass();
}

bool SubclassedWindow::Subclass(HWND window) {
    Unsubclass();
    if (window == nullptr ||
        !SetWindowSubclass(window, SubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Attach(window);
    return true;
}

void SubclassedWindow::Unsubclass() {
    if (m_hWnd == nullptr)
        return;
    RemoveWindowSubclass(m_hWnd, SubclassProc, reinterpret_cast<UINT_PTR>(this));
    m_hWnd = nullptr;
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedWindow*>(data);
    LRESULT result = 0;
    if (!self->SafeOnMessage(message, wParam, lParam, result))
        result = DefSubclassProc(window, message, wParam, lParam);
    // The object lets go of the window even when a handler took the message.
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, reinterpret_cast<UINT_PTR>(self));
        self->Detached();
    }
    return result;
}
