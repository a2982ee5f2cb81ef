// The snapshot panel: a task's tube or object snapshot page with a strip of
// buttons below it; reports the snapshots the operator clicks.
#pragma once

#include "dialog.h"
#include "message_map.h"
#include "panel_report.h"

#include <cstdint>
#include <string>

class CSnapShotDlg : public Dialog {
public:
    CSnapShotDlg();
    ~CSnapShotDlg() override { Destroy(); }

    // Shows the page of task taskId on server: its object snapshots when
    // objClass is non-zero, its tube snapshots otherwise.
    void SetPage(const std::wstring& server, int32_t taskId, int32_t objClass);
    // 0 for a null callback, else 1 (a callback already present keeps its data).
    int AddReportCallback(ReportCallback callback, void* userData) {
        return m_listeners.Add(callback, userData) ? 1 : 0;
    }

    // Tells every listener about a snapshot the operator clicked.
    void DeliverReport(int32_t startFrame, int32_t endFrame, int32_t startSecond, int32_t endSecond,
                       int32_t compNo, int32_t tubeNo, int32_t kind) const {
        m_listeners.Notify(m_nTaskID, startFrame, endFrame, startSecond, endSecond, compNo, tubeNo,
                           kind);
    }

    const std::wstring& Url() const { return m_strUrl; }
    int32_t TaskId() const { return m_nTaskID; }
    int32_t ObjClass() const { return m_bObjClass; }
    const std::wstring& ServerAddress() const { return m_strSvrIP; }
    size_t ListenerCount() const { return m_listeners.Count(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);

    static const MessageEntry<CSnapShotDlg> kMessages[];

    std::wstring m_strUrl;
    int32_t m_nTaskID = 0;
    int32_t m_bObjClass = 0;
    std::wstring m_strSvrIP;
    ReportListeners m_listeners;
};
