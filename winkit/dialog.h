// Dialogs from dialog resources: modeless child panels and modal dialogs,
// with messages delivered to the object through Window::OnMessage.
#pragma once

#include "window.h"

class Dialog : public Window {
public:
    explicit Dialog(WORD templateId) : m_templateId(templateId) {}

    WORD TemplateId() const { return m_templateId; }

    // Creates the dialog (modeless) from the template in module.
    HWND Create(HWND parent, HMODULE module);
    // Runs the dialog modally; returns what EndDialog was given, or -1.
    INT_PTR RunModal(HWND parent, HMODULE module);
    void End(INT_PTR result) { EndDialog(m_hWnd, result); }

    // A child control of the dialog.
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WORD m_templateId;
};
