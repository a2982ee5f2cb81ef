// A window that records every message of one number it receives (wParam and
// lParam), for tests of code that reports by posting messages.
#pragma once

#include "window.h"

#include <vector>

class RecordingWindow : public CustomWindow {
public:
    explicit RecordingWindow(UINT message) : m_message(message) {}
    ~RecordingWindow() override { Destroy(); }

    // A hidden child of parent, or a hidden top-level window without one.
    bool Create(HWND parent = nullptr);

    struct Received {
        WPARAM wParam;
        LPARAM lParam;
    };
    const std::vector<Received>& All() const { return m_received; }
    size_t CountOf(WPARAM wParam) const;
    // Dispatches the thread's messages until wParam has come count times.
    bool WaitFor(WPARAM wParam, DWORD timeoutMs, size_t count = 1) const;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    const UINT m_message;
    std::vector<Received> m_received;
};
