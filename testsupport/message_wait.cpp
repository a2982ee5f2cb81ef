#include "message_wait.h"

#include <algorithm>

namespace {

// Dispatches messages until done() holds (checked after every message and at
// least every 10 ms), a message makes taken() true (that one is not
// dispatched), or timeoutMs pass; returns whether done() or taken() ended it.
bool Pump(const std::function<bool(const MSG&)>& taken, const std::function<bool()>& done,
          DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (taken(message))
                return true;
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (done())
                return true;
        }
        if (done())
            return true;
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<ULONGLONG>(timeoutMs - elapsed, 10)),
                                  QS_ALLINPUT);
    }
}

} // namespace

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    return Pump([](const MSG&) { return false; }, done, timeoutMs);
}

void PumpMessagesFor(DWORD milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds);
}

bool PumpMessagesPostedSoFar(DWORD timeoutMs) {
    static const UINT marker = RegisterWindowMessageW(L"VrTestPostedSoFarMarker");
    static LONG markers = 0;
    const LPARAM id = InterlockedIncrement(&markers);
    if (marker == 0 || !PostThreadMessageW(GetCurrentThreadId(), marker, 0, id))
        return false;
    return Pump(
        [&](const MSG& message) {
            return message.hwnd == nullptr && message.message == marker && message.lParam == id;
        },
        [] { return false; }, timeoutMs);
}
