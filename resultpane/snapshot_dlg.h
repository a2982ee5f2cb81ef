// The snapshot panel: a task's tube or object snapshot page, shown by the
// system's web browser control, with a strip of buttons below it. The page
// reports the snapshot the operator clicks, and asks for downloads, by
// navigating to "rpsnap..." and "rpdownload:..." URLs, which the panel
// intercepts. From here the operator also starts a search by picture.
#pragma once

#include "ax_host.h"
#include "dialog.h"
#include "event_connection.h"
#include "image.h"
#include "image_button.h"
#include "message_map.h"
#include "panel_report.h"

#include <exdisp.h>

#include <cstdint>
#include <string>

class CSnapShotDlg : public Dialog {
public:
    // Search-menu commands.
    static constexpr int kSearchCar = 240;
    static constexpr int kSearchPerson = 241;

    CSnapShotDlg();
    ~CSnapShotDlg() override { Destroy(); }

    // Shows the page of task taskId on server: its object snapshots when
    // objClass is non-zero, its tube snapshots otherwise. Navigates at once
    // when the panel's window exists, else when it is created.
    void SetPage(const std::wstring& server, int32_t taskId, int32_t objClass);
    // 0 for a null callback, else 1 (a callback already present keeps its data).
    int AddReportCallback(ReportCallback callback, void* userData) {
        return m_listeners.Add(callback, userData) ? 1 : 0;
    }

    // Tells every listener about a snapshot the operator clicked. Works on
    // copies: a listener may take this panel's window away.
    void DeliverReport(int32_t startFrame, int32_t endFrame, int32_t startSecond, int32_t endSecond,
                       int32_t compNo, int32_t tubeNo, int32_t kind) const {
        const ReportListeners listeners = m_listeners;
        listeners.Notify(m_nTaskID, startFrame, endFrame, startSecond, endSecond, compNo, tubeNo,
                         kind);
    }

    // Search by picture (runs the region picker, then submits the new task):
    // 1 when the server took the task and the panel shows its page, else 0.
    int SearchByPicture();
    // The region picker: 1 with the two file paths filled, else 0.
    int ShowRegionPicker(std::wstring& objPath, std::wstring& maskPath);
    // Submits a search-by-picture task for the task shown: 1 on success.
    int SubmitSearchByPicTask();

    const std::wstring& Url() const { return m_strUrl; }
    int32_t TaskId() const { return m_nTaskID; }
    int32_t ObjClass() const { return m_bObjClass; }
    int32_t ObjType() const { return m_nObjType; }
    const std::wstring& ServerAddress() const { return m_strSvrIP; }
    size_t ListenerCount() const { return m_listeners.Count(); }
    bool IsBrowserConnected() const { return m_browserEvents.IsConnected(); }
    ComPtr<IWebBrowser2> Browser() const { return m_spBrowser; }
    const std::wstring& ObjPicFile() const { return m_strObjPicFile; }
    const std::wstring& MaskPicFile() const { return m_strMaskPicFile; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM, bool& handled);
    LRESULT OnDestroy(WPARAM, LPARAM, bool& handled);
    LRESULT OnCommand(WPARAM, LPARAM, bool& handled);

    void AttachButtons();
    void LoadPictures();
    void ConnectBrowser();
    void Navigate(const std::wstring& url);
    // Calls a function of the page's script; failures are ignored.
    void CallPageScript(const wchar_t* name, const int32_t* argument);
    void ShowSearchMenu();
    void OnBrowserEvent(DISPID dispid, DISPPARAMS& params);
    void OnBeforeNavigate2(const std::wstring& url, VARIANT_BOOL* cancel);

    static const MessageEntry<CSnapShotDlg> kMessages[];

    std::wstring m_strUrl;
    int32_t m_nTaskID = 0;
    int32_t m_bObjClass = 0;
    std::wstring m_strSvrIP;
    int32_t m_nObjType = 0;
    AxHost m_browserHost; // item 201, holding the browser control
    ComPtr<IWebBrowser2> m_spBrowser;
    EventConnection m_browserEvents;
    Image m_imgBk;
    CImageButton m_btnCol[4];
    CImageButton m_btnDownload;
    CImageButton m_btnSearchByImg;
    std::wstring m_strObjPicFile;
    std::wstring m_strMaskPicFile;
    ReportListeners m_listeners;
};
