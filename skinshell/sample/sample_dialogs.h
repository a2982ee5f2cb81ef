// The sample application's dialogs: one on each skinned base, each with a
// few ordinary controls. Given a capture folder, each saves a picture of
// itself there once it is shown and closes.
#pragma once

#include "SkinShell.h"

#include <string>

class CSampleBaseDlg : public KUIBaseDlg {
public:
    CSampleBaseDlg(HWND parent, const std::wstring& captureFolder);

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCapture(WPARAM wParam, LPARAM lParam, bool& handled);
    static const MessageEntry<CSampleBaseDlg> kMessages[];
    std::wstring m_captureFolder;
};

class CSampleExDlg : public KUIBaseDlgEX {
public:
    CSampleExDlg(HWND parent, const std::wstring& captureFolder);

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCapture(WPARAM wParam, LPARAM lParam, bool& handled);
    static const MessageEntry<CSampleExDlg> kMessages[];
    std::wstring m_captureFolder;
};

// The main window: a task form in the frame dialog, with buttons that open
// the other two.
class CSampleFrameDlg : public KUIFrameDialog {
public:
    explicit CSampleFrameDlg(const std::wstring& captureFolder);

    // In capture mode: whether every picture was written.
    bool AllCaptured() const { return m_captured == 3; }

protected:
    const MessageMap* GetMessageMap() const override;
    static const MessageMap messageMap;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCapture(WPARAM wParam, LPARAM lParam, bool& handled);
    void DrawStatus(HDC dc);
    void ShowStatus(const std::wstring& text);
    static const MessageEntry<CSampleFrameDlg> kMessages[];
    std::wstring m_captureFolder;
    std::wstring m_status = L"就绪";
    int m_captured = 0;
};
