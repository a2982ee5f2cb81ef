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
//
// Tables can also be chained, base class to derived class, so that a class
// built on another lists only its own messages (see Dialog::GetMessageMap):
//
//   const MessageMap CMyDlg::messageMap =
//       ChainMessageTable<CMyDlg, CMyDlg::kMessages>(&KUIFrameDialog::messageMap);
//
// The most derived table that lists a message takes it; a handler that wants
// its base class's handling calls the base handler itself.
#pragma once

#include "window.h"

#include <cstddef>

template <class T> struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam, bool& handled);
};

// Runs the handler that table lists for message. False when the table does
// not list it; otherwise true, with the handler's result and handled flag.
template <class T, size_t N>
bool FindInMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result, bool& handled) {
    for (const MessageEntry<T>& entry : table) {
        if (entry.message != message)
            continue;
        handled = true;
        result = (self->*entry.handler)(wParam, lParam, handled);
        return true;
    }
    return false;
}

template <class T, size_t N>
bool DispatchMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result) {
    bool handled = false;
    FindInMessageTable(self, table, message, wParam, lParam, result, handled);
    return handled;
}

// One class's table in a chain of tables, with the link to its base class's.
struct MessageMap {
    const MessageMap* base;
    // The class's own table (as FindInMessageTable); none for a class that
    // lists no messages.
    bool (*find)(Window& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                 bool& handled);
};

template <class T, const auto& Table>
bool FindInTableOf(Window& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                   bool& handled) {
    return FindInMessageTable(static_cast<T*>(&self), Table, message, wParam, lParam, result,
                              handled);
}

// The map of class T whose own rows are Table, chained to its base class's map.
template <class T, const auto& Table> MessageMap ChainMessageTable(const MessageMap* base) {
    return MessageMap{base, &FindInTableOf<T, Table>};
}

// Dispatches through a chain of maps, most derived first. True when a handler
// took the message.
inline bool DispatchMessageMaps(Window& self, const MessageMap* map, UINT message, WPARAM wParam,
                                LPARAM lParam, LRESULT& result) {
    for (; map != nullptr; map = map->base) {
        bool handled = false;
        if (map->find != nullptr && map->find(self, message, wParam, lParam, result, handled))
            return handled;
    }
    return false;
}
