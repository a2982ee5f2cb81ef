// Waiting in tests for things that arrive as window messages: the calling
// thread's messages are dispatched while it waits.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches messages until done() holds (checked after every message and at
// least every 10 ms) or timeoutMs pass; returns done()'s last value.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches messages for the given time.
void PumpMessagesFor(DWORD milliseconds);
// Dispatches every message posted to this thread before the call: posted
// messages arrive in order, so once a marker posted now comes back, all that
// went before it has been handled. False when the marker does not come back
// within timeoutMs.
bool PumpMessagesPostedSoFar(DWORD timeoutMs = 5000);
