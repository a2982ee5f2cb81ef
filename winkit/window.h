// Window objects: each owns its HWND and receives its messages through one
// virtual entry point. A Window is destroyed with its object at the latest.
#pragma once

#include "dialog_export.h"

#include <windows.h>

#include <string>

// A class whose WM_DESTROY handling matters destroys its window in its own
// destructor: by the time ~Window runs, the derived handlers are gone, and the
// window's last messages get only the default handling.
class WINKIT_DIALOG_API Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    bool Exists() const { return m_hWnd != nullptr && IsWindow(m_hWnd); }
    // Destroys the window; true when there is none left afterwards.
    bool Destroy();

protected:
    // Handles one message. Return true with result set when handled; false
    // gives the message to the default handling.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // Called once the window is gone (after WM_NCDESTROY).
    virtual void OnFinalMessage() {}

    // Runs OnMessage and keeps exceptions inside the window procedure.
    bool SafeOnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Attach(HWND window) { m_hWnd = window; }
    void Detached();

    HWND m_hWnd = nullptr;

private:
    bool m_inBaseDestructor = false;
};

// A top-level or child window of a class registered by us.
class CustomWindow : public Window {
public:
    // Registers className once per module (with the given class style and
    // background brush) and creates the window.
    HWND Create(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                const wchar_t* title = L"", UINT classStyle = CS_DBLCLKS,
                HBRUSH background = nullptr, HMENU idOrMenu = nullptr);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
