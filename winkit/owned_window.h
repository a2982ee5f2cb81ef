// A plain window we created ourselves (a common control such as a tooltip)
// and destroy with its holder.
#pragma once

#include <windows.h>

class OwnedWindow {
public:
    OwnedWindow() = default;
    ~OwnedWindow() { Reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    void Reset(HWND window = nullptr) {
        if (m_window != nullptr && IsWindow(m_window))
            DestroyWindow(m_window);
        m_window = window;
    }
    HWND Get() const { return m_window; }
    explicit operator bool() const { return m_window != nullptr; }

private:
    HWND m_window = nullptr;
};
