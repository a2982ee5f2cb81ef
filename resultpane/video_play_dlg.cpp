#include "video_play_dlg.h"

#include "debug_output.h"
#include "escape_url.h"
#include "frame_offset_table.h"
#include "module_path.h"
#include "operator_download.h"
#include "parent_background.h"
#include "playback_values.h"
#include "reflection.h"
#include "resource.h"
#include "server_queries.h"

#include <commdlg.h>

#include <vector>

const MessageEntry<CVideoPlayDlg> CVideoPlayDlg::kMessages[] = {
    {WM_INITDIALOG, &CVideoPlayDlg::OnInitDialog},
    {WM_DESTROY, &CVideoPlayDlg::OnDestroy},
    {WM_SIZE, &CVideoPlayDlg::OnSize},
    {WM_ERASEBKGND, &CVideoPlayDlg::OnEraseBkgnd},
    {WM_CTLCOLORSTATIC, &CVideoPlayDlg::OnCtlColorStatic},
    {WM_COMMAND, &CVideoPlayDlg::OnCommand},
    {WM_TIMER, &CVideoPlayDlg::OnTimer},
    {WM_HSCROLL, &CVideoPlayDlg::OnHScroll},
    {kPlayNotifyMessage, &CVideoPlayDlg::OnPlayNotify},
    {kObjectDoubleClickedMessage, &CVideoPlayDlg::OnObjectDoubleClicked},
    {kObjectRightClickedMessage, &CVideoPlayDlg::OnObjectRightClicked},
};

namespace {

// The streaming service is reached by host name only.
std::wstring HostPart(const std::wstring& server) {
    return server.substr(0, server.find(L':'));
}

// The strip below the video: slider and buttons.
constexpr int kControlStrip = 70;

constexpr const wchar_t* kNoActiveObjects = L"该摘要视频无活动对象！";
constexpr const wchar_t* kFileMissing = L"播放失败，文件不存在！";
constexpr const wchar_t* kNoDownloadAddress = L"获取下载地址失败！";

std::wstring Formatted(const wchar_t* format, const std::wstring& text) {
    std::vector<wchar_t> buffer(text.size() + 256);
    swprintf(buffer.data(), buffer.size(), format, text.c_str());
    return buffer.data();
}

} // namespace

CVideoPlayDlg::CVideoPlayDlg() : Dialog(IDD_VIDEOPLAYDLG) {}

CVideoPlayDlg::~CVideoPlayDlg() {
    // The window first: it takes the player's window, and with it the
    // library's rendering thread, so no draw callback sees the panel after.
    Destroy();
}

bool CVideoPlayDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchMessageTable(this, kMessages, message, wParam, lParam, result))
        return true;
    // The slider draws itself from reflected custom-draw notifications, the
    // buttons from reflected draw-item messages.
    return ReflectNotification(message, wParam, lParam, result);
}

std::wstring CVideoPlayDlg::Skin(const wchar_t* name) const {
    return ModuleFolder() + L"\\skin\\" + name;
}

// ---- what to play -------------------------------------------------------------

void CVideoPlayDlg::SetVideoSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                                   int32_t segmentStart, int32_t segmentEnd, int32_t compId,
                                   int32_t tubeId, const std::wstring& server) {
    m_videoUrl = EscapeUrl(videoUrl);
    m_videoPath = videoPath;
    m_segmentStart = segmentStart;
    m_segmentEnd = segmentEnd;
    m_compId = compId;
    m_tubeId = tubeId;
    m_serverAddress = HostPart(server);
    m_requestServer = server;
    m_playMode = segmentEnd != segmentStart ? kObjectSegment : kWholeFile;
    RestartIfShown();
}

void CVideoPlayDlg::SetSynopsisSource(const std::wstring& videoUrl, const std::wstring& videoPath,
                                      const std::wstring& server) {
    m_videoUrl = videoUrl;
    m_videoPath = videoPath;
    // A synopsis plays whole: no bounds or object of an earlier stretch.
    m_segmentStart = m_segmentEnd = 0;
    m_compId = m_tubeId = 0;
    m_serverAddress = HostPart(server);
    m_requestServer = server;
    m_playMode = kSynopsis;
    RestartIfShown();
}

void CVideoPlayDlg::RestartIfShown() {
    if (!Exists())
        return;
    ShowModeButtons();
    RECT client;
    GetClientRect(m_hWnd, &client);
    Layout(client.right, client.bottom);
    StartPlayback();
}

void CVideoPlayDlg::StartPlayback() {
    if (m_videoPath.empty() || m_serverAddress.empty())
        return;
    SetDlgItemTextW(m_hWnd, IDC_FILE_LABEL, FileNameOfPath(m_videoPath).c_str());
    const int wasState = m_player.GetState();
    m_player.Open(m_videoWindow.Hwnd(), m_videoPath.c_str(), m_hWnd,
                  static_cast<uint32_t>(m_segmentStart), static_cast<uint32_t>(m_segmentEnd),
                  m_serverAddress.c_str());
    // The objects of an earlier synopsis must not stay clickable on another video.
    m_videoWindow.Overlay().Clear();
    switch (m_playMode) {
    case kSynopsis:
        m_player.RemoveDrawCallback(&CVideoPlayDlg::DrawTrackOverlay);
        m_player.AddDrawCallback(&CVideoPlayDlg::DrawSynopsisOverlay, this);
        break;
    case kObjectSegment: {
        m_player.RemoveDrawCallback(&CVideoPlayDlg::DrawSynopsisOverlay);
        m_player.AddDrawCallback(&CVideoPlayDlg::DrawTrackOverlay, this);
        const std::shared_ptr<TrackSlot>& slot = m_videoWindow.TrackSlotOf();
        m_trackWorkers.Start(slot, slot->BeginNew(),
                             TrackRequest{m_requestServer, m_flowNumber, m_compId, m_tubeId});
        SendMessageW(m_slider.Hwnd(), TBM_SETRANGEMAX, TRUE, m_segmentEnd - m_segmentStart);
        break;
    }
    default: {
        double total = 0;
        if (m_player.GetTotalFrames(total))
            SendMessageW(m_slider.Hwnd(), TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(total));
        m_player.RemoveDrawCallback(&CVideoPlayDlg::DrawSynopsisOverlay);
        m_player.RemoveDrawCallback(&CVideoPlayDlg::DrawTrackOverlay);
        break;
    }
    }
    SendMessageW(m_slider.Hwnd(), TBM_SETPOS, TRUE, 0);
    RefreshTimeLabel(true);
    // The media open already (the same file) plays on at once, and the
    // player tells nobody: the panel starts as it would on the player's word.
    if (wasState == kPlayPaused && m_player.GetState() == kPlayPlaying)
        OnMediaStarted();
}

void CVideoPlayDlg::DrawSynopsisOverlay(void*, HDC dc, const SC_FrameInfo* frame, void* panel) {
    if (frame != nullptr && panel != nullptr)
        static_cast<CVideoPlayDlg*>(panel)->m_videoWindow.Overlay().Draw(dc, *frame);
}

void CVideoPlayDlg::DrawTrackOverlay(void*, HDC dc, const SC_FrameInfo* frame, void* panel) {
    if (frame != nullptr && panel != nullptr)
        static_cast<CVideoPlayDlg*>(panel)->m_videoWindow.DrawTrack(
            dc, frame->frameNumber, frame->frameWidth, frame->frameHeight);
}

// ---- the window -----------------------------------------------------------------

LRESULT CVideoPlayDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    SetWindowLongPtrW(m_hWnd, GWL_STYLE,
                      GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    AttachControls();
    LoadSkins();
    ShowModeButtons();
    return TRUE;
}

void CVideoPlayDlg::AttachControls() {
    RECT client;
    GetClientRect(m_hWnd, &client);
    m_videoWindow.SetPlayer(&m_player);
    m_videoWindow.Create(m_hWnd, RECT{0, 0, client.right, client.bottom - kControlStrip},
                         IDC_VIDEO_WINDOW);
    m_slider.Subclass(Item(IDC_PROGRESS_SLIDER));
    m_slider.SetBkColor(RGB(0, 0, 0));
    const struct {
        CImageButton& button;
        int id;
    } buttons[] = {{m_playPause, IDC_PLAY_PAUSE},
                   {m_stop, IDC_STOP},
                   {m_timeToggle, IDC_TIME_TOGGLE},
                   {m_objectToggle, IDC_OBJECT_TOGGLE},
                   {m_capture, IDC_CAPTURE},
                   {m_download, IDC_DOWNLOAD},
                   {m_cut, IDC_CUT},
                   {m_fullScreen, IDC_FULL_SCREEN}};
    for (const auto& b : buttons)
        b.button.Subclass(Item(b.id));
    m_timeLabel.Subclass(Item(IDC_TIME_LABEL));
    m_fileLabel.Subclass(Item(IDC_FILE_LABEL));
}

void CVideoPlayDlg::LoadSkins() {
    m_background.Reset();
    const std::wstring background = Skin(L"dlg_bk.png");
    if (GetFileAttributesW(background.c_str()) != INVALID_FILE_ATTRIBUTES)
        m_background.Load(background);
    m_videoWindow.LoadBackground(Skin(L"center_logo.png"));
    m_slider.SetBkImage(Skin(L"progress_slider_bk.png").c_str());
    m_slider.SetThumbImage(Skin(L"progress_slider_humb.png").c_str());
    m_slider.SetOverBkImage(Skin(L"progress_slider_over_bk.png").c_str());

    const struct {
        CImageButton& button;
        const wchar_t* stem;
        const wchar_t* tip;
    } plain[] = {{m_stop, L"stop", L"停止播放"},
                 {m_capture, L"captuepic", L"截图"},
                 {m_download, L"download", L"下载"},
                 {m_cut, L"cutvideo", L"裁剪"},
                 {m_fullScreen, L"full_screen", L"全屏"}};
    for (const auto& b : plain) {
        const std::wstring stem = b.stem;
        const std::wstring normal = Skin((stem + L"_normal.png").c_str());
        b.button.SetImages(normal.c_str(), Skin((stem + L"_hover.png").c_str()).c_str(),
                           Skin((stem + L"_pressed.png").c_str()).c_str(), normal.c_str());
        b.button.SetToolTipText(b.tip);
    }
    ShowPlayPauseFace(m_playing != 0);
    ShowToggleFace(m_timeToggle, L"time", m_showTime != 0, L"显示时标", L"取消显示时标");
    ShowToggleFace(m_objectToggle, L"object", m_showBoxes != 0, L"显示物标", L"取消显示物标");
}

void CVideoPlayDlg::ShowPlayPauseFace(bool playing) {
    const std::wstring stem = playing ? L"pause" : L"play";
    const std::wstring normal = Skin((stem + L"_normal.png").c_str());
    m_playPause.SetImages(normal.c_str(), Skin((stem + L"_hover.png").c_str()).c_str(),
                          Skin((stem + L"_pressed.png").c_str()).c_str(), normal.c_str());
    m_playPause.SetToolTipText(playing ? L"暂停" : L"播放");
}

// A latched toggle shows its pressed picture in the normal position, and its
// tip offers to switch the drawing off.
void CVideoPlayDlg::ShowToggleFace(CImageButton& button, const wchar_t* stem, bool latched,
                                   const wchar_t* showText, const wchar_t* hideText) {
    const std::wstring base = stem;
    const std::wstring pressed = Skin((base + L"_pressed.png").c_str());
    const std::wstring normal = latched ? pressed : Skin((base + L"_normal.png").c_str());
    button.SetImages(normal.c_str(), Skin((base + L"_hover.png").c_str()).c_str(), pressed.c_str(),
                     normal.c_str());
    button.SetToolTipText(latched ? hideText : showText);
}

LRESULT CVideoPlayDlg::OnDestroy(WPARAM, LPARAM, bool& handled) {
    StopTimer();
    m_playing = 0;
    // A video window shown full screen is no child of ours: it goes now, with
    // the player's window inside it.
    m_videoWindow.Destroy();
    handled = false;
    return 0;
}

void CVideoPlayDlg::ShowModeButtons() {
    const int show = m_playMode == kSynopsis ? SW_SHOW : SW_HIDE;
    ShowWindow(Item(IDC_OBJECT_TOGGLE), show);
    ShowWindow(Item(IDC_TIME_TOGGLE), show);
    SetDlgItemTextW(m_hWnd, IDC_PLAY_PAUSE, L"暂停");
}

LRESULT CVideoPlayDlg::OnSize(WPARAM, LPARAM lParam, bool&) {
    Layout(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

void CVideoPlayDlg::MoveItem(int id, int x, int y, int width, int height) {
    HWND item = Item(id);
    if (item == nullptr)
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (width < 0 || height < 0)
        flags |= SWP_NOSIZE;
    SetWindowPos(item, nullptr, x, y, width, height, flags);
}

void CVideoPlayDlg::Layout(int w, int h) {
    MoveItem(IDC_FILE_LABEL, 0, 0, w - 105, 20);
    if (!m_videoWindow.IsFullScreen())
        MoveItem(IDC_VIDEO_WINDOW, 0, 0, w, h - kControlStrip);
    MoveItem(IDC_PROGRESS_SLIDER, 0, h - kControlStrip, w, 17);
    MoveItem(IDC_PLAY_PAUSE, 10, h - 55);
    MoveItem(IDC_STOP, 75, h - 40);
    MoveItem(IDC_TIME_TOGGLE, w - 227, h - 30);
    MoveItem(IDC_OBJECT_TOGGLE, w - 172, h - 30);
    MoveItem(IDC_CAPTURE, w - 117, h - 30);
    ShowWindow(Item(IDC_CUT), SW_HIDE);
    MoveItem(IDC_CUT, w - 85, h - 25);
    MoveItem(IDC_DOWNLOAD, w - 65, h - 25);
    MoveItem(IDC_FULL_SCREEN, w - 40, h - 35);
    MoveItem(IDC_TIME_LABEL, w - 100, h - 50, 100, 15);
    // The file-name label lies over the video window: keep it on top.
    SetWindowPos(Item(IDC_FILE_LABEL), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The buttons show the panel's background through their pictures: they
    // are repainted with it.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CVideoPlayDlg::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (m_background.IsNull()) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    // The picture's colour at (1, 1) everywhere, the picture itself stretched
    // over the strip of the controls.
    const uint32_t pixel = m_background.PixelAt(1, 1);
    GdiBrush fill(CreateSolidBrush(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)));
    FillRect(dc, &client, fill.Get());
    const int top = client.bottom - kControlStrip;
    m_background.StretchDraw(dc, RECT{0, top, client.right, top + m_background.Height()},
                             RECT{0, 0, m_background.Width(), m_background.Height()});
    return 1;
}

LRESULT CVideoPlayDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    // The labels have no background of their own: what the panel shows
    // behind them is painted first, so changing text leaves no trace.
    PaintParentBackground(reinterpret_cast<HWND>(lParam), dc);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
}

// ---- playing ----------------------------------------------------------------------

void CVideoPlayDlg::SwitchToPlaying() {
    m_player.Play();
    ShowPlayPauseFace(true);
    m_playing = 1;
}

void CVideoPlayDlg::SwitchToPaused() {
    m_player.Pause();
    ShowPlayPauseFace(false);
    m_playing = 0;
}

void CVideoPlayDlg::StartTimer() {
    if (m_timerId == 0)
        m_timerId = SetTimer(m_hWnd, kRefreshTimer, 100, nullptr);
}

void CVideoPlayDlg::StopTimer() {
    if (m_timerId != 0 && m_hWnd != nullptr)
        KillTimer(m_hWnd, m_timerId);
    m_timerId = 0;
}

void CVideoPlayDlg::RefreshTimeLabel(bool fromStart) {
    double current = 0, total = 0;
    if (!fromStart)
        m_player.GetCurrentTime(current);
    m_player.GetTotalTime(total);
    SetDlgItemTextW(m_hWnd, IDC_TIME_LABEL, PlayTimeLabel(current, total).c_str());
}

void CVideoPlayDlg::OnMediaStarted() {
    double total = 0;
    m_player.GetTotalFrames(total);
    if (m_playMode == kSynopsis && total <= 30) {
        ShowTip(kNoActiveObjects);
        m_player.Stop();
        return;
    }
    SendMessageW(m_slider.Hwnd(), TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(total));
    m_player.GetVideoSize(m_videoWidth, m_videoHeight);
    m_videoWindow.Overlay().SetFrameRate(static_cast<float>(m_player.GetFrameRate()));
    StartTimer();
    SwitchToPlaying();
}

LRESULT CVideoPlayDlg::OnPlayNotify(WPARAM code, LPARAM detail, bool&) {
    switch (code) {
    case PlayNotifyStarted:
        OnMediaStarted();
        break;
    case PlayNotifyFileMissing:
        ShowTip(detail == 4 ? std::wstring(kFileMissing)
                            : Formatted(L"文件： %ls 打开失败！ ", m_videoPath));
        RefreshTimeLabel();
        break;
    case PlayNotifyFailed:
        // The media could not be played: nothing runs any more.
        StopTimer();
        ShowPlayPauseFace(false);
        m_playing = 0;
        ShowTip(Formatted(L"文件： %ls 打开失败！ ", m_videoPath));
        RefreshTimeLabel(true);
        break;
    case PlayNotifyComplete:
        SendMessageW(m_slider.Hwnd(), TBM_SETPOS, TRUE, 0);
        SwitchToPaused();
        StopTimer();
        RefreshTimeLabel(true);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CVideoPlayDlg::OnTimer(WPARAM id, LPARAM, bool& handled) {
    if (id != kRefreshTimer) {
        handled = false;
        return 0;
    }
    double frame = 0;
    if (m_player.GetCurrentFrame(frame)) {
        const auto rangeMax =
            static_cast<int32_t>(SendMessageW(m_slider.Hwnd(), TBM_GETRANGEMAX, 0, 0));
        m_slider.SetPosIfIdle(SliderPositionFor(frame, rangeMax));
    }
    RefreshTimeLabel();
    return 0;
}

LRESULT CVideoPlayDlg::OnHScroll(WPARAM, LPARAM, bool&) {
    const auto position = SendMessageW(m_slider.Hwnd(), TBM_GETPOS, 0, 0);
    m_player.SeekFrame(static_cast<double>(position));
    SwitchToPlaying();
    return 0;
}

LRESULT CVideoPlayDlg::OnCommand(WPARAM wParam, LPARAM, bool& handled) {
    if (HIWORD(wParam) != BN_CLICKED) {
        handled = false;
        return 0;
    }
    switch (LOWORD(wParam)) {
    case IDC_PLAY_PAUSE:
        if (m_playing)
            SwitchToPaused();
        else
            SwitchToPlaying();
        break;
    case IDC_STOP:
        m_player.Stop();
        ShowTip(L"停止播放");
        InvalidateRect(m_videoWindow.Hwnd(), nullptr, TRUE);
        break;
    case IDC_TIME_TOGGLE:
        m_showTime = !m_showTime;
        m_videoWindow.Overlay().SetShowTime(m_showTime);
        ShowToggleFace(m_timeToggle, L"time", m_showTime != 0, L"显示时标", L"取消显示时标");
        break;
    case IDC_OBJECT_TOGGLE:
        m_showBoxes = !m_showBoxes;
        m_videoWindow.Overlay().SetShowBoxes(m_showBoxes);
        ShowToggleFace(m_objectToggle, L"object", m_showBoxes != 0, L"显示物标", L"取消显示物标");
        break;
    case IDC_FULL_SCREEN:
        m_videoWindow.EnterFullScreen();
        break;
    case IDC_CAPTURE:
        Capture();
        break;
    case IDC_DOWNLOAD:
    case IDC_CUT:
        Download();
        break;
    default:
        handled = false;
        break;
    }
    return 0;
}

void CVideoPlayDlg::ShowTip(const std::wstring& text) {
    if (m_hWnd == nullptr)
        return;
    if (!m_tips.Exists() && !m_tips.Create(m_hWnd))
        return;
    m_tips.SetOwner(m_hWnd);
    m_tips.SetText(text);
    m_tips.ShowTips(1);
}

// ---- capture and download ------------------------------------------------------

void CVideoPlayDlg::Capture() {
    if (m_playing)
        SwitchToPaused();
    double current = 0, total = 0;
    m_player.GetCurrentTime(current);
    m_player.GetTotalTime(total);
    const std::wstring name =
        CaptureFileName(m_videoPath, static_cast<int32_t>(current), static_cast<int32_t>(total));
    std::vector<wchar_t> file(32768, L'\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));

    OPENFILENAMEW prompt = {};
    prompt.lStructSize = sizeof(prompt);
    prompt.hwndOwner = m_hWnd;
    prompt.lpstrFilter = L"jpg\0*.jpg\0";
    prompt.lpstrFile = file.data();
    prompt.nMaxFile = static_cast<DWORD>(file.size());
    prompt.lpstrDefExt = L"jpg";
    prompt.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_EXPLORER |
                   OFN_NOCHANGEDIR;
    const std::weak_ptr<bool> alive = m_alive;
    const BOOL chosen = GetSaveFileNameW(&prompt);
    // The page may have taken the panel away while the prompt was up.
    if (alive.expired() || !Exists() || !chosen)
        return;
    const std::wstring path = file.data();
    if (m_player.Snapshot(path.c_str()))
        ShowTip(Formatted(L"截图成功，文件保存在：%ls", path));
    else
        ShowTip(L"截图失败！");
}

void CVideoPlayDlg::Download() {
    if (m_playMode == kObjectSegment) {
        const FragmentSpan span =
            FragmentSpanOf(m_segmentStart, m_segmentEnd, m_player.GetFrameRate());
        std::wstring answer;
        QueryFragmentUrl(m_requestServer, EscapeUrl(m_videoPath), span.startSecond, span.seconds,
                         answer);
        m_videoUrl = EscapeUrl(answer);
        DebugLine(L"download video segment,SvrIP = %ls,videoPath = %ls, startS = %d,endS = %d,"
                  L"strRet = %ls",
                  m_requestServer.c_str(), m_videoPath.c_str(), span.startSecond, span.seconds,
                  answer.c_str());
    }
    if (m_videoUrl.empty()) {
        // Nothing to hand over: an address made of "http://" alone fetches nothing.
        ShowTip(kNoDownloadAddress);
        return;
    }
    std::wstring url = m_videoUrl;
    if (url.rfind(L"http://", 0) != 0)
        url = L"http://" + url;
    DebugLine(L"downloadVideoURL = %ls", url.c_str());
    OperatorDownload(m_hWnd, url);
}

// ---- objects picked in the video window ----------------------------------------

LRESULT CVideoPlayDlg::OnObjectDoubleClicked(WPARAM frames, LPARAM ids, bool&) {
    ReportObject(frames, ids, 1);
    return 0;
}

LRESULT CVideoPlayDlg::OnObjectRightClicked(WPARAM frames, LPARAM ids, bool&) {
    ReportObject(frames, ids, 3);
    return 0;
}

void CVideoPlayDlg::ReportObject(WPARAM framesParam, LPARAM idsParam, int32_t kind) {
    const auto* frames = reinterpret_cast<const int32_t*>(framesParam);
    const auto* ids = reinterpret_cast<const int32_t*>(idsParam);
    if (frames == nullptr || ids == nullptr)
        return;
    const int32_t end = frames[0], start = frames[1];
    const int32_t tubeId = ids[0], compId = ids[1];
    if (kind == 1)
        FrameOffsetTable::Set(m_flowNumber, m_videoWindow.Overlay().FrameOffset());
    else if (m_playing)
        SwitchToPaused();
    const ReportSeconds seconds = ReportSecondsOf(start, end, m_player.GetFrameRate());
    // The last thing done here: a listener may take the panel away.
    NotifyListeners(start, end, seconds.start, seconds.end, compId, tubeId, kind);
}
