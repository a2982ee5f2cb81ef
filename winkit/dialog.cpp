#include "dialog.h"

#include <commctrl.h>

// Catches the dialog's window the moment CreateWindowEx has made it, before
// its first message: a CBT hook on this thread from just before the dialog
// manager is called until it has made the window. Nested creations (a dialog
// made by another dialog's handlers) each install their own and put the outer
// one's state back.
struct DialogCreation {
    struct Pending {
        Dialog* dialog = nullptr;
        HMODULE module = nullptr;
        HHOOK hook = nullptr;
    };
    static thread_local Pending t_pending;

    DialogCreation(Dialog* dialog, HMODULE module) : m_outer(t_pending) {
        t_pending = Pending{dialog, module, nullptr};
        t_pending.hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
        m_hooked = t_pending.hook != nullptr;
    }
    ~DialogCreation() {
        if (t_pending.hook != nullptr)
            UnhookWindowsHookEx(t_pending.hook);
        t_pending = m_outer;
    }
    DialogCreation(const DialogCreation&) = delete;
    DialogCreation& operator=(const DialogCreation&) = delete;

    bool Hooked() const { return m_hooked; }

    static bool IsInputMethodWindow(const CREATESTRUCTW* create) {
        return !IS_INTRESOURCE(create->lpszClass) && lstrcmpiW(create->lpszClass, L"IME") == 0;
    }

    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && t_pending.dialog != nullptr) {
            const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            // The dialog manager creates the dialog with the template's
            // module; any other window made first (the thread's input-method
            // window) is not the dialog.
            if (create->hInstance == t_pending.module && !IsInputMethodWindow(create)) {
                Dialog* dialog = t_pending.dialog;
                UnhookWindowsHookEx(t_pending.hook);
                t_pending.dialog = nullptr;
                t_pending.hook = nullptr;
                dialog->TakeWindowAtCreation(reinterpret_cast<HWND>(wParam));
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

private:
    Pending m_outer;
    bool m_hooked = false;
};

thread_local DialogCreation::Pending DialogCreation::t_pending;

namespace {

constexpr UINT_PTR kSubclassId = 0x6B64; // one subclass per dialog window

} // namespace

const RuntimeClass Dialog::classDialog = {"Dialog", sizeof(Dialog), nullptr};

const MessageEntry<Dialog> Dialog::kDialogMessages[] = {
    {WM_COMMAND, &Dialog::OnCommand},
};

const MessageMap Dialog::messageMap = ChainMessageTable<Dialog, Dialog::kDialogMessages>(nullptr);

Dialog::~Dialog() {
    // While Dialog's part still exists, so that the last messages reach its
    // window procedure and not a half-destroyed object.
    Destroy();
    if (m_hWnd != nullptr) { // a window of another thread: let go of it
        RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        m_hWnd = nullptr;
    }
}

HMODULE Dialog::ResourceModule() const {
    return m_resourceModule != nullptr ? m_resourceModule : GetModuleHandleW(nullptr);
}

HWND Dialog::Create(HWND parent, HMODULE module) {
    DialogCreation creation(this, module);
    if (!creation.Hooked())
        return nullptr;
    return CreateDialogParamW(module, MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::RunModal(HWND parent, HMODULE module) {
    INT_PTR result = -1;
    {
        DialogCreation creation(this, module);
        if (!creation.Hooked())
            return -1;
        m_modal = true;
        result = DialogBoxParamW(module, MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    }
    m_modal = false;
    return result;
}

const RuntimeClass* Dialog::GetRuntimeClass() const {
    return &classDialog;
}

const MessageMap* Dialog::GetMessageMap() const {
    return &messageMap;
}

bool Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMaps(*this, GetMessageMap(), message, wParam, lParam, result);
}

LRESULT Dialog::OnCommand(WPARAM wParam, LPARAM, bool& handled) {
    const WORD id = LOWORD(wParam);
    if (m_modal && (id == IDOK || id == IDCANCEL))
        End(id);
    else
        handled = false;
    return 0;
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (SafeOnMessage(message, wParam, lParam, result))
        return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Dialog::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT Dialog::SafeWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return WindowProc(message, wParam, lParam);
    } catch (...) {
        return DefaultProc(message, wParam, lParam);
    }
}

bool Dialog::TakeWindowAtCreation(HWND window) {
    if (!SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Attach(window);
    return true;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    // Every message reaches the object through SubclassProc first; what gets
    // here was left to the dialog manager.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* self = reinterpret_cast<Dialog*>(lParam);
    if (self == nullptr || self->m_hWnd != window) {
        // The window could not be subclassed: without its handlers it must
        // not run.
        if (self != nullptr && self->m_modal)
            EndDialog(window, -1);
        else
            DestroyWindow(window);
        return FALSE;
    }
    return TRUE; // the dialog manager sets the focus
}

LRESULT CALLBACK Dialog::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Dialog*>(data);
    if (message != WM_NCDESTROY)
        return self->SafeWindowProc(message, wParam, lParam);
    // The handlers see the last message, the dialog manager always frees its
    // part, and the object lets go of the window.
    LRESULT ignored = 0;
    self->SafeOnMessage(message, wParam, lParam, ignored);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    self->Detached();
    return result;
}
