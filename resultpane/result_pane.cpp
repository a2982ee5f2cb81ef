#include "result_pane.h"

#include "file_tree.h"
#include "module_path.h"
#include "resource.h"
#include "server_queries.h"
#include "view_params.h"
#include "dialog_template.h"

#include <new>

namespace {

// OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST
constexpr DWORD kMiscStatus = 0x20191;

const ActiveXControlInfo kControlInfo = {&CLSID_CResultPane, &IID_ICResultPane,
                                         &DIID__ICResultPaneEvents, kMiscStatus,
                                         L"CResultPane Class"};

enum EventId : DISPID { kOnViewResultEvent = 1, kOnViewResultEventEx = 2 };

// Posted to the control window for each queued panel report.
constexpr UINT kFireReportMessage = WM_APP + 1;

std::wstring TextOf(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

} // namespace

HRESULT CResultPane::CreateInstance(REFIID riid, void** ppv) {
    auto* pane = new (std::nothrow) CResultPane();
    if (pane == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = pane->QueryInterface(riid, ppv);
    pane->Release();
    return hr;
}

CResultPane::CResultPane()
    : TypeLibDispatch<ICResultPane>(ThisModule()), ActiveXControlBase(kControlInfo, ThisModule()),
      m_window(*this) {}

CResultPane::~CResultPane() {
    DestroyControlWindow();
    m_connectionPoint.DisconnectAll();
    // The local cache of synopsis files goes with the control.
    DeleteFolderTree(ModuleFolder() + L"\\tbi");
}

STDMETHODIMP CResultPane::QueryInterface(REFIID riid, void** ppv) {
    const HRESULT hr = QueryInterfaceFromTable(
        riid, ppv, {Entry<ICResultPane>(this), Entry<IDispatch, ICResultPane>(this)});
    if (hr != E_NOINTERFACE)
        return hr;
    return QueryControlInterface(riid, ppv);
}

// ---- scripting ----

STDMETHODIMP CResultPane::Ocx_Init(BSTR strSvrIP, ULONG, BSTR, BSTR, BSTR*) {
    return ComBoundary([&]() -> HRESULT {
        m_strSvrIP = TextOf(strSvrIP);
        return m_strSvrIP.empty() ? E_FAIL : S_OK;
    });
}

STDMETHODIMP CResultPane::Ocx_ViewResultEx(ULONG dwID, ULONG nType, BSTR strParam, BSTR*) {
    return ComBoundary([&]() -> HRESULT {
        const int32_t id = static_cast<int32_t>(dwID);
        std::wstring path, url;
        switch (nType) {
        case 1:
            if (!QuerySynopsisPath(m_strSvrIP, id, path, url))
                break;
            ShowPanel(m_dlgVideoPlay);
            m_dlgVideoPlay.SetSynopsisSource(url, path, m_strSvrIP);
            m_dlgVideoPlay.SetTaskId(id);
            m_dlgVideoPlay.AddReportCallback(OnPanelReport, this);
            break;
        case 2:
            QueryTranscodedPath(m_strSvrIP, id, path, url);
            PlayLocatedVideo(path, url, 0, 0, 0, 0, 0);
            break;
        case 3:
        case 4:
            ShowPanel(m_dlgSnapShot);
            m_dlgSnapShot.SetPage(m_strSvrIP, id, nType == 4 ? 1 : 0);
            m_dlgSnapShot.AddReportCallback(OnPanelReport, this);
            break;
        case 5: {
            const SegmentParams segment = ParseSegmentParams(TextOf(strParam));
            QuerySourcePath(m_strSvrIP, id, path, url);
            PlayLocatedVideo(path, url, id, segment.startFrame, segment.endFrame, segment.compId,
                             segment.tubeId);
            break;
        }
        case 6:
            QuerySourcePath(m_strSvrIP, id, path, url);
            PlayLocatedVideo(path, url, id, 0, 0, 0, 0);
            break;
        default:
            break;
        }
        return S_OK;
    });
}

void CResultPane::PlayLocatedVideo(const std::wstring& path, const std::wstring& url,
                                   int32_t taskId, int32_t startFrame, int32_t endFrame,
                                   int32_t compId, int32_t tubeId) {
    // A reply whose path gives no URL still plays: the decision rests on the path.
    if (path.empty())
        return;
    m_dlgVideoPlay.SetTaskId(taskId);
    ShowPanel(m_dlgVideoPlay);
    m_dlgVideoPlay.SetVideoSource(url, path, startFrame, endFrame, compId, tubeId, m_strSvrIP);
}

STDMETHODIMP CResultPane::Ocx_PlaySrvVideo(BSTR bstrParam, BSTR* strRet) {
    return ComBoundary([&]() -> HRESULT {
        if (strRet == nullptr)
            return E_POINTER;
        const std::wstring param = TextOf(bstrParam);
        if (param.empty()) {
            *strRet = SysAllocString(L"param cann't empty!");
            return S_FALSE;
        }
        const ServerVideoParams video = ParseServerVideoParams(param);
        ShowPanel(m_dlgVideoPlay);
        m_dlgVideoPlay.SetVideoSource(L"", video.path, video.startFrame, video.endFrame, 0, 0,
                                      m_strSvrIP);
        *strRet = SysAllocString(L"successful!");
        return S_OK;
    });
}

int CResultPane::OnPanelReport(int task, int startFrame, int endFrame, int startSec, int endSec,
                               int compId, int tubeId, int kind, void* userData) {
    auto* pane = static_cast<CResultPane*>(userData);
    if (pane == nullptr)
        return 0;
    pane->m_pendingReports.push_back(
        PanelReport{task, startFrame, endFrame, startSec, endSec, compId, tubeId, kind});
    // Without a window there is no panel window either (they are its
    // children), so nothing can be pulled away: the events go out at once.
    if (!pane->m_window.Exists() || !PostMessageW(pane->m_window.Hwnd(), kFireReportMessage, 0, 0))
        pane->FireNextReport();
    return 0;
}

void CResultPane::FireNextReport() {
    if (m_pendingReports.empty())
        return;
    const PanelReport r = m_pendingReports.front();
    m_pendingReports.pop_front();
    // The page may release the control from its handler: it lives until the
    // end of this function, which touches nothing of it after the events.
    const ComPtr<ICResultPane> keepAlive = ComPtr<ICResultPane>::Share(this);
    FireEvent(kOnViewResultEvent, {r.task, r.kind, r.startFrame, r.endFrame, r.compId, r.tubeId});
    FireEvent(kOnViewResultEventEx,
              {r.task, r.kind, r.startFrame, r.endFrame, r.startSec, r.endSec, r.compId, r.tubeId});
}

// ---- panels ----

void CResultPane::ShowPanel(Dialog& panel) {
    if (!panel.Exists()) {
        if (!m_window.Exists())
            return;
        if (m_hCurPanel != nullptr && DestroyWindow(m_hCurPanel))
            m_hCurPanel = nullptr;
        if (panel.Create(m_window.Hwnd(), ThisModule()) == nullptr)
            return;
    }
    RECT client;
    GetClientRect(m_window.Hwnd(), &client);
    MoveWindow(panel.Hwnd(), 0, 0, client.right, client.bottom, TRUE);
    ShowWindow(panel.Hwnd(), SW_SHOW);
    m_hCurPanel = panel.Hwnd();
}

// ---- control window ----

HWND CResultPane::CreateControlWindow(HWND parent, const RECT& position) {
    HWND window = m_window.Create(parent, ThisModule());
    if (window) {
        SetWindowPos(window, nullptr, position.left, position.top, position.right - position.left,
                     position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
        // A position of the dialog's own size sends no WM_SIZE: the start
        // panel is fitted and shown here in any case.
        FitCurrentPanel();
    }
    return window;
}

void CResultPane::DestroyControlWindow() {
    m_window.Destroy();
    m_hCurPanel = nullptr;
    // Their messages went with the window.
    m_pendingReports.clear();
}

SIZE CResultPane::NaturalPixelSize() const {
    SIZE size = {0, 0};
    DialogTemplatePixelSize(ThisModule(), IDD_RESULTPANE, size);
    return size;
}

CResultPane::CompositeWindow::CompositeWindow(CResultPane& owner)
    : Dialog(IDD_RESULTPANE), m_owner(owner) {}

bool CResultPane::CompositeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             LRESULT& result) {
    return m_owner.OnControlMessage(message, wParam, lParam, result);
}

void CResultPane::FitCurrentPanel() {
    if (m_hCurPanel == nullptr || !IsWindow(m_hCurPanel))
        return;
    RECT client;
    GetClientRect(m_window.Hwnd(), &client);
    MoveWindow(m_hCurPanel, 0, 0, client.right, client.bottom, TRUE);
    // Centred in the control (a no-op when it fills it).
    RECT panel;
    GetWindowRect(m_hCurPanel, &panel);
    const int x = (client.right - (panel.right - panel.left)) / 2;
    const int y = (client.bottom - (panel.bottom - panel.top)) / 2;
    SetWindowPos(m_hCurPanel, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(m_hCurPanel, SW_SHOW);
}

bool CResultPane::OnControlMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        if (m_dlgInit.Create(m_window.Hwnd(), ThisModule()))
            m_hCurPanel = m_dlgInit.Hwnd();
        result = TRUE;
        return true;
    case WM_SIZE:
        FitCurrentPanel();
        result = 0;
        return true;
    case kFireReportMessage:
        FireNextReport();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1; // the panel covers the control
        return true;
    case WM_MOUSEACTIVATE:
        // A click into the control makes it the page's active object.
        UIActivate();
        return false;
    default:
        return false;
    }
}
