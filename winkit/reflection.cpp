#include "reflection.h"

#include <olectl.h>

namespace {

// Reflected messages are the window messages below WM_USER moved up by OCM__BASE.
constexpr UINT kLastReflected = OCM__BASE + WM_USER - 1;

// The control a notification came from, or null.
HWND SenderOf(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return wParam != 0 && lParam != 0
                   ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                   : nullptr;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

} // namespace

bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND sender = SenderOf(message, wParam, lParam);
    if (sender == nullptr || !IsWindow(sender))
        return false;
    result = SendMessageW(sender, OCM__BASE + message, wParam, lParam);
    return true;
}

bool DefaultReflectedHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
    if (message < OCM__BASE || message > kLastReflected)
        return false;
    result = DefWindowProcW(window, message - OCM__BASE, wParam, lParam);
    return true;
}
