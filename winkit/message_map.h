// Message tables: a window class lists "message -> handler" rows, like a
// message map, and its message entry point dispatches through them.
//
//   static constexpr MessageEntry<CInitDlg> kMessages[] = {
//       {WM_INITDIALOG, &CInitDlg::OnInitDialog},
//       {WM_ERASEBKGND, &CInitDlg::OnEraseBkgnd},
//   };
//   bool OnMessage(UINT m, WPARAM w, LPARAM l, LRESULT& r) override {
//       return DispatchMessageTable(this, kMessages, m, w, l, r);
//   }
//
// A handler returns the message result and may clear handled to let the
// default processing run after all.
#pragma once

#include <windows.h>

template <class T> struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam, bool& handled);
};

template <class T, size_t N>
bool DispatchMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (entry.message != message)
            continue;
        bool handled = true;
        result = (self->*entry.handler)(wParam, lParam, handled);
        return handled;
    }
    return false;
}
