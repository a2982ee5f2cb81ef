#include "picker_driver.h"

#include <cstdio>

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kPickerTitle[] = L"以图搜图";
constexpr wchar_t kCanvasClass[] = L"KSearchPicture";

std::vector<HWND> g_found; // filled by CollectWindow on the driver thread only

BOOL CALLBACK CollectWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        g_found.push_back(window);
    return TRUE;
}

// This process's visible top-level dialogs.
std::vector<HWND> OurDialogs() {
    g_found.clear();
    EnumWindows(CollectWindow, 0);
    std::vector<HWND> dialogs;
    for (HWND window : g_found) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (wcscmp(className, kDialogClass) == 0 && IsWindowVisible(window))
            dialogs.push_back(window);
    }
    return dialogs;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return className;
}

template <class Check> void WaitUntil(Check check, const char* what) {
    const DWORD start = GetTickCount();
    while (!check()) {
        if (GetTickCount() - start >= PickerDriver::kWaitMs)
            throw DriverError(std::string("timed out waiting for ") + what);
        Sleep(20);
    }
}

template <class Find> HWND WaitFor(Find find, const char* what) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = find()) != nullptr; }, what);
    return found;
}

// A dialog owned by owner (the open-file dialog or a message box).
HWND OwnedDialog(HWND owner) {
    for (HWND dialog : OurDialogs())
        if (GetWindow(dialog, GW_OWNER) == owner)
            return dialog;
    return nullptr;
}

std::vector<HWND> g_children;

BOOL CALLBACK CollectChild(HWND window, LPARAM) {
    g_children.push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
    g_children.clear();
    EnumChildWindows(parent, CollectChild, 0);
    return g_children;
}

} // namespace

Watchdog::Watchdog(DWORD seconds)
    : m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_thread(nullptr), m_seconds(seconds) {
    m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(m_done);
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    CloseHandle(m_done);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->m_done, watchdog->m_seconds * 1000) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "watchdog: the test did not finish within %lu s\n",
                     static_cast<unsigned long>(watchdog->m_seconds));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

HWND PickerDriver::Dialog() {
    if (m_dialog == nullptr || !IsWindow(m_dialog)) {
        m_dialog = WaitFor(
            [] {
                for (HWND dialog : OurDialogs())
                    if (WindowText(dialog) == kPickerTitle)
                        return dialog;
                return HWND{};
            },
            "the picker dialog");
    }
    return m_dialog;
}

HWND PickerDriver::Canvas() {
    HWND canvas = FindWindowExW(Dialog(), nullptr, kCanvasClass, nullptr);
    if (canvas == nullptr)
        throw DriverError("the dialog has no canvas");
    return canvas;
}

HWND PickerDriver::Button(int id) {
    return GetDlgItem(Dialog(), id);
}

void PickerDriver::Sync() {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored))
        throw DriverError("the dialog's thread does not answer");
}

void PickerDriver::Press(int id) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(Button(id)), SMTO_NORMAL, kWaitMs, &ignored))
        throw DriverError("a button press was not handled");
}

void PickerDriver::PostPress(int id) {
    PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Button(id)));
}

void PickerDriver::Resize(int width, int height) {
    SetWindowPos(Dialog(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    Sync();
}

namespace {

void SendMouse(HWND canvas, UINT message, WPARAM buttons, int x, int y) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(canvas, message, buttons, MAKELPARAM(x, y), SMTO_NORMAL,
                             PickerDriver::kWaitMs, &ignored))
        throw DriverError("a mouse message was not handled");
}

} // namespace

void PickerDriver::Click(int x, int y) {
    SendMouse(Canvas(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    SendMouse(Canvas(), WM_LBUTTONUP, 0, x, y);
}

void PickerDriver::RightClick(int x, int y) {
    SendMouse(Canvas(), WM_RBUTTONDOWN, MK_RBUTTON, x, y);
    SendMouse(Canvas(), WM_RBUTTONUP, 0, x, y);
}

void PickerDriver::MoveMouse(int x, int y) {
    SendMouse(Canvas(), WM_MOUSEMOVE, 0, x, y);
}

void PickerDriver::Import(const std::wstring& path) {
    HWND dialog = Dialog();
    PostPress(11002);
    HWND fileDialog = WaitFor([&] { return OwnedDialog(dialog); }, "the open-file dialog");
    // The file-name box: an edit control, alone or inside a combo box.
    HWND nameBox = nullptr;
    for (HWND child : Descendants(fileDialog)) {
        if (ClassOf(child) == L"Edit" && IsWindowVisible(child)) {
            nameBox = child;
            break;
        }
    }
    if (nameBox == nullptr)
        throw DriverError("the open-file dialog has no file-name box");
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, IDOK)));
    WaitUntil([&] { return !IsWindow(fileDialog); }, "the open-file dialog to close");
    Sync();
}

SeenMessageBox PickerDriver::CloseMessageBox() {
    HWND dialog = Dialog();
    HWND box = WaitFor([&] { return OwnedDialog(dialog); }, "a message box");
    SeenMessageBox seen;
    seen.caption = WindowText(box);
    for (HWND child : Descendants(box)) {
        const std::wstring text = WindowText(child);
        if (ClassOf(child) == L"Static" && text.size() > seen.text.size())
            seen.text = text;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); }, "the message box to close");
    Sync();
    return seen;
}

PixelRect PickerDriver::PictureRect(int width, int height) {
    RECT client = {};
    GetClientRect(Canvas(), &client);
    return FitPictureRect(width, height, client.right, client.bottom);
}

bool PickerDriver::DialogIsOpen() {
    return m_dialog != nullptr && IsWindow(m_dialog);
}

std::wstring PickerDriver::Text(HWND window) {
    return WindowText(window);
}

void PickerDriver::CloseEverything() {
    // Owned windows first (message boxes, the file dialog), then the picker.
    for (int round = 0; round < 5; ++round) {
        const std::vector<HWND> dialogs = OurDialogs();
        if (dialogs.empty())
            return;
        for (HWND dialog : dialogs)
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        Sleep(300);
    }
}

std::string DriveWhile(const std::function<void(PickerDriver&)>& script,
                       const std::function<void()>& call) {
    std::string failure;
    std::thread driver([&] {
        PickerDriver picker;
        try {
            script(picker);
            // The script ends the dialog last; give it time to go away.
            WaitUntil(
                [] {
                    for (HWND dialog : OurDialogs())
                        if (WindowText(dialog) == kPickerTitle)
                            return false;
                    return true;
                },
                "the picker dialog to end after the script");
        } catch (const std::exception& error) {
            failure = error.what();
            PickerDriver::CloseEverything();
        }
    });
    call();
    driver.join();
    return failure;
}
