#include "window.h"

#include "module_path.h"

Window::~Window() {
    m_inBaseDestructor = true;
    Destroy();
}

bool Window::Destroy() {
    if (m_hWnd == nullptr)
        return true;
    if (!IsWindow(m_hWnd)) {
        m_hWnd = nullptr;
        return true;
    }
    if (!DestroyWindow(m_hWnd))
        return false;
    m_hWnd = nullptr;
    return true;
}

bool Window::SafeOnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_inBaseDestructor)
        return false;
    try {
        return OnMessage(message, wParam, lParam, result);
    } catch (...) {
        return false;
    }
}

void Window::Detached() {
    m_hWnd = nullptr;
    if (!m_inBaseDestructor)
        OnFinalMessage();
}

HWND CustomWindow::Create(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect,
                          HWND parent, const wchar_t* title, UINT classStyle, HBRUSH background,
                          HMENU idOrMenu) {
    const HINSTANCE instance = ThisModule();
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc))
            return nullptr;
    }
    return CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, idOrMenu,
                           instance, this);
}

LRESULT CALLBACK CustomWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CustomWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<CustomWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->Attach(window);
    }
    LRESULT result = 0;
    if (self == nullptr || !self->SafeOnMessage(message, wParam, lParam, result))
        result = DefWindowProcW(window, message, wParam, lParam);
    // The object lets go of its window even when a handler took the message.
    if (message == WM_NCDESTROY && self != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->Detached();
    }
    return result;
}
