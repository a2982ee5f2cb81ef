// The playback panel: plays a task's synopsis video or a stretch of a source
// video, and reports objects the operator picks in it.
#pragma once

#include "dialog.h"
#include "message_map.h"
#include "panel_report.h"
#include "video_player.h"

#include <cstdint>
#include <string>

class CVideoPlayDlg : public Dialog {
public:
    // 0 whole file without overlay, 1 object segment with its track, 2 synopsis.
    enum PlayMode : int32_t { kWholeFile = 0, kObjectSegment = 1, kSynopsis = 2 };

    CVideoPlayDlg();
    ~CVideoPlayDlg() override { Destroy(); }

    // A stretch of a source video (the whole file when start equals end),
    // following object compId of tube tubeId.
    void SetVideoSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                        int32_t segmentStart, int32_t segmentEnd, int32_t compId, int32_t tubeId,
                        const std::wstring& server);
    // A task's synopsis video.
    void SetSynopsisSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                           const std::wstring& server);
    void SetTaskId(int32_t flowNumber) { m_flowNumber = flowNumber; }
    void AddReportCallback(ReportCallback callback, void* userData) {
        m_listeners.Add(callback, userData);
    }

    // Tells every listener about an object the operator picked.
    void NotifyListeners(int32_t startFrame, int32_t endFrame, int32_t startSecond,
                         int32_t endSecond, int32_t compId, int32_t tubeId, int32_t kind) const {
        m_listeners.Notify(m_flowNumber, startFrame, endFrame, startSecond, endSecond, compId,
                           tubeId, kind);
    }

    int32_t PlayMode() const { return m_playMode; }
    int32_t FlowNumber() const { return m_flowNumber; }
    const std::wstring& ServerAddress() const { return m_serverAddress; }
    const std::wstring& VideoPath() const { return m_videoPath; }
    const std::wstring& VideoUrl() const { return m_videoUrl; }
    int32_t SegmentStart() const { return m_segmentStart; }
    int32_t SegmentEnd() const { return m_segmentEnd; }
    int32_t CompId() const { return m_compId; }
    int32_t TubeId() const { return m_tubeId; }
    size_t ListenerCount() const { return m_listeners.Count(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);

    // A new source while the panel is shown: lay out again and play it.
    void RestartIfShown();
    void StartPlayback();
    void ShowModeButtons();
    void Layout(int width, int height);
    void MoveItem(int id, int x, int y, int width = -1, int height = -1);

    static const MessageEntry<CVideoPlayDlg> kMessages[];

    int32_t m_playMode = kWholeFile;
    int32_t m_flowNumber = 0;
    std::wstring m_serverAddress;
    std::wstring m_videoPath;
    std::wstring m_videoUrl;
    int32_t m_segmentStart = 0;
    int32_t m_segmentEnd = 0;
    int32_t m_compId = 0;
    int32_t m_tubeId = 0;
    ReportListeners m_listeners;
    // Plays what the panel shows; it lives as long as the panel.
    CVideoPlayer m_player;
};
