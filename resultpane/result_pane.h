// The result-viewer control: the page gives it the server's address and asks
// it to show one result of a task; it fills its window with the start,
// playback or snapshot panel and raises the page's events for what the
// operator picks there.
#pragma once

#include "ResultPane.h"
#include "activex_control.h"
#include "dialog.h"
#include "init_dlg.h"
#include "snapshot_dlg.h"
#include "type_library.h"
#include "video_play_dlg.h"

#include <deque>
#include <string>

class CResultPane final : public TypeLibDispatch<ICResultPane>, public ActiveXControlBase {
public:
    // The class factory's way in.
    static HRESULT CreateInstance(REFIID riid, void** ppv);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    WINKIT_IUNKNOWN_REFCOUNT

    // ICResultPane
    STDMETHODIMP Ocx_Init(BSTR strSvrIP, ULONG nUserID, BSTR strInterUsername, BSTR strInterPwd,
                          BSTR* strRet) override;
    STDMETHODIMP Ocx_ViewResultEx(ULONG dwID, ULONG nType, BSTR strParam, BSTR* strRet) override;
    STDMETHODIMP Ocx_PlaySrvVideo(BSTR bstrParam, BSTR* strRet) override;

    // The panels' report callback; userData is the control. The report is
    // queued and the page's events are fired from a message the control
    // posts to its own window, once the panel's handler has returned: a page
    // that answers by switching panels or by releasing the control then pulls
    // nothing out from under the panel.
    static int OnPanelReport(int task, int startFrame, int endFrame, int startSec, int endSec,
                             int compId, int tubeId, int kind, void* userData);

    // For inspection by tests and the page host.
    const std::wstring& ServerAddress() const { return m_strSvrIP; }
    HWND CurrentPanel() const { return m_hCurPanel; }
    CInitDlg& InitPanel() { return m_dlgInit; }
    CVideoPlayDlg& VideoPanel() { return m_dlgVideoPlay; }
    CSnapShotDlg& SnapshotPanel() { return m_dlgSnapShot; }

private:
    CResultPane();
    ~CResultPane() override;

    // The control window: an empty child dialog that the panels fill.
    class CompositeWindow : public Dialog {
    public:
        explicit CompositeWindow(CResultPane& owner);
        ~CompositeWindow() override { Destroy(); }

    protected:
        bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        CResultPane& m_owner;
    };

    HWND CreateControlWindow(HWND parent, const RECT& position) override;
    void DestroyControlWindow() override;
    HWND ControlWindow() const override { return m_window.Hwnd(); }
    SIZE NaturalPixelSize() const override;

    bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Moves the current panel over the whole control window and shows it.
    void FitCurrentPanel();
    void FireNextReport();
    void ShowPanel(Dialog& panel);
    void PlayLocatedVideo(const std::wstring& path, const std::wstring& url, int32_t taskId,
                          int32_t startFrame, int32_t endFrame, int32_t compId, int32_t tubeId);

    struct PanelReport {
        int task, startFrame, endFrame, startSec, endSec, compId, tubeId, kind;
    };
    // Reports waiting for their events; one posted message for each. They go
    // with the control window (whose messages go with it) or the control.
    std::deque<PanelReport> m_pendingReports;

    ComRefCount m_refs;
    std::wstring m_strSvrIP;
    HWND m_hCurPanel = nullptr;
    CInitDlg m_dlgInit;
    CVideoPlayDlg m_dlgVideoPlay;
    CSnapShotDlg m_dlgSnapShot;
    CompositeWindow m_window;
};
