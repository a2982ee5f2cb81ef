#include "file_dialog.h"

#include <dlgs.h>

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        wcscmp(className, L"#32770") != 0)
        return TRUE;
    // A file dialog has a file-name box: a combo box (cmb13) or an edit (edt1).
    if (GetDlgItem(window, cmb13) == nullptr && GetDlgItem(window, edt1) == nullptr)
        return TRUE;
    if (search->title != nullptr) {
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        if (wcscmp(title, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

FileDialogAnswer* g_answer = nullptr;

} // namespace

HWND FindFileDialog(const wchar_t* title) {
    Search search = {title, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AnswerFileDialog(HWND dialog, const std::wstring& path) {
    HWND name = GetDlgItem(dialog, cmb13);
    if (name == nullptr)
        name = GetDlgItem(dialog, edt1);
    if (name == nullptr)
        return false;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK))) != FALSE;
}

FileDialogAnswer::FileDialogAnswer(std::wstring path) : m_path(std::move(path)) {
    g_answer = this;
    m_timer = SetTimer(nullptr, 0, 50, &FileDialogAnswer::OnTimer);
}

FileDialogAnswer::~FileDialogAnswer() {
    if (m_timer != 0)
        KillTimer(nullptr, m_timer);
    g_answer = nullptr;
}

void CALLBACK FileDialogAnswer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    FileDialogAnswer* self = g_answer;
    if (self == nullptr || self->m_answered)
        return;
    HWND dialog = FindFileDialog();
    if (dialog == nullptr || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
        return;
    wchar_t title[256] = {};
    GetWindowTextW(dialog, title, 256);
    self->m_title = title;
    self->m_answered = true;
    if (self->m_path.empty())
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    else
        AnswerFileDialog(dialog, self->m_path);
}
