#include "download_prompt.h"

#include "com_base.h"
#include "download_name.h"
#include "http_client.h"
#include "module_path.h"
#include "playback_values.h"
#include "window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

std::atomic<long> g_running{0};

constexpr int kCancelId = 2; // IDCANCEL: Escape cancels too
constexpr int kWidth = 380, kHeight = 130;

// A small window with the file's name as its title, a progress bar, the bytes
// received and a cancel button.
class ProgressWindow : public CustomWindow {
public:
    ~ProgressWindow() override { Destroy(); }

    bool Create(HWND over, const std::wstring& title) {
        RECT place = {0, 0, kWidth, kHeight};
        RECT area = {};
        if (over != nullptr && GetWindowRect(over, &area))
            OffsetRect(&place, (area.left + area.right - kWidth) / 2,
                       (area.top + area.bottom - kHeight) / 2);
        if (!CustomWindow::Create(kDownloadProgressClass, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  0, place, nullptr, title.c_str(), 0,
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
            return false;
        const HINSTANCE instance =
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
        m_bar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 12, 12,
                                kWidth - 40, 18, m_hWnd, nullptr, instance, nullptr);
        SendMessageW(m_bar, PBM_SETRANGE32, 0, 1000);
        m_text = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 12, 38, kWidth - 140, 18,
                                 m_hWnd, nullptr, instance, nullptr);
        CreateWindowExW(
            0, L"BUTTON", L"取消", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kWidth - 112, 36, 80, 24,
            m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), instance, nullptr);
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        return true;
    }

    void Show(long long received, long long announced) {
        if (announced > 0)
            SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(received * 1000 / announced), 0);
        SetWindowTextW(m_text, DownloadProgressText(received, announced).c_str());
    }
    bool Cancelled() const { return m_cancelled; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if ((message == WM_COMMAND && LOWORD(wParam) == kCancelId) || message == WM_CLOSE) {
            m_cancelled = true;
            result = 0;
            return true;
        }
        return false;
    }

private:
    HWND m_bar = nullptr;
    HWND m_text = nullptr;
    bool m_cancelled = false;
};

void PumpThreadMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Where to save: empty when the operator declines.
std::wstring AskTarget(const std::wstring& url) {
    const std::wstring name = DownloadFileNameOf(url);
    std::vector<wchar_t> file(32768, L'\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    OPENFILENAMEW prompt = {};
    prompt.lStructSize = sizeof(prompt);
    prompt.lpstrFilter = L"*.*\0*.*\0";
    prompt.lpstrFile = file.data();
    prompt.nMaxFile = static_cast<DWORD>(file.size());
    prompt.lpstrTitle = kDownloadPromptTitle;
    prompt.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_NOCHANGEDIR;
    return GetSaveFileNameW(&prompt) ? std::wstring(file.data()) : std::wstring();
}

void RunPrompt(HWND owner, const std::wstring& url) {
    const std::wstring target = AskTarget(url);
    if (target.empty())
        return;
    ProgressWindow window;
    window.Create(owner, FileNameOfPath(target));
    const std::wstring partial = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetCurrentThreadId()) + L".part";
    DeleteFileW(partial.c_str());
    const int downloaded =
        HttpDownloadFile(url.c_str(), partial.c_str(), [&](long long received, long long total) {
            window.Show(received, total);
            PumpThreadMessages();
            return !window.Cancelled();
        });
    const bool placed =
        downloaded == 1 && MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!placed)
        DeleteFileW(partial.c_str());
    const bool cancelled = window.Cancelled();
    window.Destroy();
    if (!placed && !cancelled)
        MessageBoxW(nullptr, L"下载失败！", FileNameOfPath(target).c_str(), MB_OK | MB_ICONERROR);
}

struct PromptStart {
    HWND owner;
    std::wstring url;
};

DWORD WINAPI PromptThread(void* parameter) {
    {
        std::unique_ptr<PromptStart> start(static_cast<PromptStart*>(parameter));
        try {
            RunPrompt(start->owner, start->url);
        } catch (...) {
            // Out of memory: the download is dropped.
        }
    }
    --g_running;
    UnlockModule();
    // Lets go of the pin taken when the thread was started: the module may
    // go once this thread has left its code.
    FreeLibraryAndExitThread(ModuleOfAddress(reinterpret_cast<const void*>(&PromptThread)), 0);
    return 0;
}

} // namespace

void StartDownloadPrompt(HWND owner, const std::wstring& url) {
    auto start = std::make_unique<PromptStart>(PromptStart{owner, url});
    HMODULE pinned = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&PromptThread), &pinned))
        return;
    LockModule();
    ++g_running;
    HANDLE thread = CreateThread(nullptr, 0, PromptThread, start.get(), 0, nullptr);
    if (thread == nullptr) {
        --g_running;
        UnlockModule();
        FreeLibrary(pinned);
        return;
    }
    start.release(); // the thread owns it now
    CloseHandle(thread);
}

long RunningDownloadPrompts() {
    return g_running.load();
}
