// The playback panel: plays a task's synopsis video with its objects' boxes
// and time stamps, or a stretch of a source video with the box of the object
// it follows, and reports objects the operator picks in it.
#pragma once

#include "dialog.h"
#include "gdiplus_session.h"
#include "image.h"
#include "image_button.h"
#include "message_map.h"
#include "panel_report.h"
#include "slider_ctrl_ex.h"
#include "static_impl.h"
#include "track_worker.h"
#include "transparent_tips_wnd.h"
#include "video_player.h"
#include "video_window.h"

#include <cstdint>
#include <memory>
#include <string>

class CVideoPlayDlg : public Dialog {
public:
    // 0 whole file without overlay, 1 object segment with its track, 2 synopsis.
    enum PlayMode : int32_t { kWholeFile = 0, kObjectSegment = 1, kSynopsis = 2 };
    // The refresh timer's id.
    static constexpr UINT_PTR kRefreshTimer = 1;

    CVideoPlayDlg();
    ~CVideoPlayDlg() override;

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
    bool IsPlaying() const { return m_playing != 0; }
    UINT_PTR TimerId() const { return m_timerId; }
    const CTransparentTipsWnd& Tips() const { return m_tips; }
    CVideoWindow& VideoWindow() { return m_videoWindow; }
    CVideoPlayInterface& Player() { return m_player; }

    // The draw callbacks: the synopsis overlay and the followed object's box.
    // Their user value is the panel.
    static void DrawSynopsisOverlay(void* passThrough, HDC dc, const SC_FrameInfo* frame,
                                    void* panel);
    static void DrawTrackOverlay(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* panel);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnDestroy(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM, bool& handled);
    LRESULT OnCtlColorStatic(WPARAM, LPARAM, bool& handled);
    LRESULT OnCommand(WPARAM, LPARAM, bool& handled);
    LRESULT OnTimer(WPARAM, LPARAM, bool& handled);
    LRESULT OnHScroll(WPARAM, LPARAM, bool& handled);
    LRESULT OnPlayNotify(WPARAM, LPARAM, bool& handled);
    LRESULT OnObjectDoubleClicked(WPARAM, LPARAM, bool& handled);
    LRESULT OnObjectRightClicked(WPARAM, LPARAM, bool& handled);

    void AttachControls();
    void LoadSkins();
    // A new source while the panel is shown: lay out again and play it.
    void RestartIfShown();
    void StartPlayback();
    void ShowModeButtons();
    void Layout(int width, int height);
    void MoveItem(int id, int x, int y, int width = -1, int height = -1);
    // The media plays: slider range, frame rate, timer, the pause face.
    void OnMediaStarted();
    void SwitchToPlaying();
    void SwitchToPaused();
    void ShowPlayPauseFace(bool playing);
    void ShowToggleFace(CImageButton& button, const wchar_t* stem, bool latched,
                        const wchar_t* showText, const wchar_t* hideText);
    void RefreshTimeLabel(bool fromStart = false);
    void StartTimer();
    void StopTimer();
    void ShowTip(const std::wstring& text);
    void Capture();
    void Download();
    void ReportObject(WPARAM frames, LPARAM ids, int32_t kind);
    std::wstring Skin(const wchar_t* name) const;

    static const MessageEntry<CVideoPlayDlg> kMessages[];

    int32_t m_playMode = kWholeFile;
    int32_t m_flowNumber = 0;
    std::wstring m_serverAddress; // host only: the streaming service is reached by it
    std::wstring m_requestServer; // as given: host and port, for HTTP requests
    std::wstring m_videoPath;
    std::wstring m_videoUrl;
    int32_t m_segmentStart = 0;
    int32_t m_segmentEnd = 0;
    int32_t m_compId = 0;
    int32_t m_tubeId = 0;
    int32_t m_playing = 0;
    int32_t m_showBoxes = 1;
    int32_t m_showTime = 1;
    UINT_PTR m_timerId = 0;
    int32_t m_videoWidth = 0;
    int32_t m_videoHeight = 0;
    ReportListeners m_listeners;
    // Keeps GDI+ running while the panel lives: its many pictures load
    // without starting and stopping it for each.
    GdiplusSession m_gdiplus;
    // Set to false when the panel goes, for code that comes back from a modal prompt.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    CVideoWindow m_videoWindow;
    CSliderCtrlEx m_slider;
    CImageButton m_playPause, m_stop, m_timeToggle, m_objectToggle, m_capture, m_download, m_cut,
        m_fullScreen;
    CStaticImpl m_timeLabel, m_fileLabel;
    CTransparentTipsWnd m_tips;
    Image m_background;
    TrackWorkers m_trackWorkers;
    // Plays what the panel shows; it lives as long as the panel.
    CVideoPlayer m_player;
};
