#include "module_thread.h"

#include <memory>

namespace {

struct ThreadStart {
    std::function<void()> body;
    HMODULE module = nullptr;
};

DWORD WINAPI RunThread(void* parameter) {
    HMODULE module = nullptr;
    {
        std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
        module = start->module;
        try {
            start->body();
        } catch (...) {
        }
    }
    FreeLibraryAndExitThread(module, 0);
}

} // namespace

bool ModuleThread::Start(std::function<void()> body) {
    if (m_thread)
        return false;
    auto start = std::make_unique<ThreadStart>();
    start->body = std::move(body);
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&RunThread), &start->module))
        return false;
    const HMODULE module = start->module;
    m_thread = CreateThread(nullptr, 0, RunThread, start.get(), 0, &m_threadId);
    if (!m_thread) {
        FreeLibrary(module);
        return false;
    }
    start.release(); // the thread owns it now
    return true;
}

void ModuleThread::Join() {
    if (!m_thread)
        return;
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1)
            break;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
}
