// Keeps the mouse cursor inside a screen rectangle while it lives or until
// released: the whole desktop is affected, so it must never outlast its use.
#pragma once

#include <windows.h>

class CursorConfinement {
public:
    CursorConfinement() = default;
    ~CursorConfinement() { Release(); }
    CursorConfinement(const CursorConfinement&) = delete;
    CursorConfinement& operator=(const CursorConfinement&) = delete;

    void Confine(const RECT& screenRect) {
        if (ClipCursor(&screenRect))
            m_active = true;
    }
    void Release() {
        if (m_active)
            ClipCursor(nullptr);
        m_active = false;
    }
    bool IsActive() const { return m_active; }

private:
    bool m_active = false;
};
