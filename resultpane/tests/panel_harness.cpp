#include "panel_harness.h"

#include "message_wait.h"

bool PanelHarness::Create() {
    if (!m_parent.Exists() && !m_parent.Create(kPictureWidth, kPictureHeight + 70))
        return false;
    if (m_panel.Create(m_parent.Hwnd(), GetModuleHandleW(nullptr)) == nullptr)
        return false;
    MoveWindow(m_panel.Hwnd(), 0, 0, kPictureWidth, kPictureHeight + 70, TRUE);
    ShowWindow(m_panel.Hwnd(), SW_SHOW);
    return true;
}

void PanelHarness::Destroy() {
    m_panel.Destroy();
}

void PanelHarness::Press(int id) {
    SendMessageW(m_panel.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(m_panel.Hwnd(), id)));
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    return PumpMessagesUntil(done, timeoutMs);
}
