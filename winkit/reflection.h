// Notification reflection: a parent hands the notifications of its child
// controls back to the control that sent them, as OCM_* messages
// (OCM__BASE + the original message), so a subclassed control can draw or
// react to its own notifications. A parent calls ReflectNotification after
// its own handlers; a control passes the OCM_* messages it does not handle to
// DefaultReflectedHandling.
#pragma once

#include <windows.h>

// Sends a child control's notification (WM_NOTIFY, WM_COMMAND, WM_DRAWITEM,
// WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*) back to that control. False when the
// message is not one of these or names no control.
bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A reflected message the control does not handle gets the default handling
// of the message it stands for. False for any other message.
bool DefaultReflectedHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result);
