// Answering the system's file dialogs from tests: a save or open dialog is
// modal, so a test types the file name in and presses OK from a timer that
// runs inside the dialog's own message loop, or from another thread.
#pragma once

#include <windows.h>

#include <string>

// A visible file dialog of this process with the given title (any title when
// null), shown by any of its threads; null when there is none.
HWND FindFileDialog(const wchar_t* title = nullptr);

// Types path into the dialog's file-name box and presses OK.
bool AnswerFileDialog(HWND dialog, const std::wstring& path);

// While it lives, answers the next file dialog the calling thread shows with
// path (or cancels it when path is empty), from a timer of that thread.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::wstring path);
    ~FileDialogAnswer();
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

    // The dialog's title, once it has been answered.
    bool Answered() const { return m_answered; }
    const std::wstring& Title() const { return m_title; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    std::wstring m_path;
    std::wstring m_title;
    bool m_answered = false;
    UINT_PTR m_timer = 0;
};
