// What the playback-panel tests share: a panel in a window of its own whose
// video window is 704 x 576 (one picture pixel to one window pixel), its
// buttons pressed as the operator would, and bounded waits.
#pragma once

#include "control_site.h"
#include "video_play_dlg.h"

#include <functional>
#include <string>

class PanelHarness {
public:
    static constexpr int kPictureWidth = 704, kPictureHeight = 576;

    // Creates the panel (again after Destroy) in a parent of its own.
    bool Create();
    void Destroy();

    CVideoPlayDlg& Panel() { return m_panel; }
    HWND Video() { return m_panel.VideoWindow().Hwnd(); }
    void Press(int id);

private:
    TestParentWindow m_parent;
    CVideoPlayDlg m_panel;
};

// Dispatches the thread's messages until done() holds; false after timeoutMs.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Server paths of the sample data's videos.
inline const std::wstring kSynopsis45 = L"E:\\AstRP_1v2\\summary\\45\\summary.mp4";
inline const std::wstring kSource45 = L"E:\\AstRP_1v2\\video\\45\\cam01.mp4";
inline const std::wstring kSource12 = L"E:\\AstRP_1v2\\video\\12\\cam01.mp4";
