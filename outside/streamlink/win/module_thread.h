// A thread that keeps the DLL holding its code loaded while it runs: it takes
// a reference to the module when started and gives it back as it exits
// (FreeLibraryAndExitThread). A client that unloads the library while a
// player still runs therefore never pulls the code from under the thread.
#pragma once

#include <windows.h>

#include <functional>

class ModuleThread {
public:
    ModuleThread() = default;
    ~ModuleThread() { Join(); }
    ModuleThread(const ModuleThread&) = delete;
    ModuleThread& operator=(const ModuleThread&) = delete;

    // Runs body on a new thread; false when no thread could be started.
    // Exceptions never leave body's thread.
    bool Start(std::function<void()> body);
    // Waits for the thread to end. A user-interface thread keeps answering
    // messages sent to its windows meanwhile, so a body that sends one cannot
    // deadlock against the thread that waits for it.
    void Join();
    bool Running() const { return m_thread != nullptr; }
    bool IsCurrent() const { return m_thread != nullptr && GetCurrentThreadId() == m_threadId; }

private:
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
};
