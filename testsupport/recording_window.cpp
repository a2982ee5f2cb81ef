#include "recording_window.h"

#include "message_wait.h"

bool RecordingWindow::Create(HWND parent) {
    const DWORD style = parent ? WS_CHILD : WS_OVERLAPPED;
    return CustomWindow::Create(L"TestRecordingWindow", style, 0, RECT{0, 0, 1, 1}, parent) !=
           nullptr;
}

size_t RecordingWindow::CountOf(WPARAM wParam) const {
    size_t count = 0;
    for (const Received& received : m_received)
        count += received.wParam == wParam;
    return count;
}

bool RecordingWindow::WaitFor(WPARAM wParam, DWORD timeoutMs, size_t count) const {
    return PumpMessagesUntil([&] { return CountOf(wParam) >= count; }, timeoutMs);
}

bool RecordingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != m_message)
        return false;
    m_received.push_back({wParam, lParam});
    result = 0;
    return true;
}
