#include "snapshot_dlg.h"

#include "frame_offset_table.h"
#include "gdi.h"
#include "module_path.h"
#include "operator_download.h"
#include "reflection.h"
#include "resource.h"
#include "snapshot_url.h"

#include <exdispid.h>
#include <mshtml.h>

#include <memory>

const MessageEntry<CSnapShotDlg> CSnapShotDlg::kMessages[] = {
    {WM_INITDIALOG, &CSnapShotDlg::OnInitDialog}, {WM_SIZE, &CSnapShotDlg::OnSize},
    {WM_ERASEBKGND, &CSnapShotDlg::OnEraseBkgnd}, {WM_DESTROY, &CSnapShotDlg::OnDestroy},
    {WM_COMMAND, &CSnapShotDlg::OnCommand},
};

namespace {

constexpr int kStripHeight = 70;
constexpr LCID kSystemDefaultLocale = 0x800;

const wchar_t* const kColumnTips[4] = {L"一列", L"二列", L"三列", L"四列"};
const wchar_t kDownloadTip[] = L"下载";
const wchar_t kSearchTip[] = L"以图搜图";

// The last report's tick count, shared by every snapshot panel in the process
// (all on the page's thread).
ReportRateLimit& ProcessReportLimit() {
    static ReportRateLimit limit;
    return limit;
}

std::wstring Skin(const wchar_t* name) {
    return ModuleFolder() + L"\\skin\\" + name;
}

// A VARIANT cleared when it goes.
struct ScopedVariant {
    VARIANT value;
    ScopedVariant() { VariantInit(&value); }
    ~ScopedVariant() { VariantClear(&value); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
};

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The URL argument of BeforeNavigate2: a BSTR in a VARIANT passed by reference.
std::wstring UrlArgument(const VARIANT& argument) {
    const VARIANT* value = &argument;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal != nullptr)
        value = value->pvarVal;
    if (value->vt == VT_BSTR && value->bstrVal != nullptr)
        return std::wstring(value->bstrVal, SysStringLen(value->bstrVal));
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal != nullptr && *value->pbstrVal)
        return std::wstring(*value->pbstrVal, SysStringLen(*value->pbstrVal));
    return std::wstring();
}

} // namespace

CSnapShotDlg::CSnapShotDlg() : Dialog(IDD_SNAPSHOTDLG) {}

bool CSnapShotDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchMessageTable(this, kMessages, message, wParam, lParam, result))
        return true;
    // The image buttons draw themselves from their reflected notifications.
    return ReflectNotification(message, wParam, lParam, result);
}

void CSnapShotDlg::SetPage(const std::wstring& server, int32_t taskId, int32_t objClass) {
    m_strUrl = L"http://" + server + L"/snapshot1pagedb.php?id=" + std::to_wstring(taskId) +
               L"&class=" + (objClass != 0 ? L"obj" : L"tube");
    m_strSvrIP = server;
    m_nTaskID = taskId;
    m_bObjClass = objClass;
    if (Exists())
        Navigate(m_strUrl);
}

// ---- window ----

LRESULT CSnapShotDlg::OnInitDialog(WPARAM, LPARAM, bool&) {
    AttachButtons();
    ConnectBrowser();
    Navigate(m_strUrl.empty() ? std::wstring(L"about:blank") : m_strUrl);
    LoadPictures();
    return TRUE;
}

void CSnapShotDlg::AttachButtons() {
    for (int k = 0; k < 4; ++k)
        if (!m_btnCol[k].IsSubclassed())
            m_btnCol[k].Subclass(Item(IDC_SNAP_COLUMN1 + k));
    if (!m_btnDownload.IsSubclassed())
        m_btnDownload.Subclass(Item(IDC_SNAP_DOWNLOAD));
    if (!m_btnSearchByImg.IsSubclassed())
        m_btnSearchByImg.Subclass(Item(IDC_SNAP_SEARCH));
}

void CSnapShotDlg::ConnectBrowser() {
    if (FAILED(m_browserHost.CreateControl(Item(IDC_SNAP_BROWSER), CLSID_WebBrowser)))
        return;
    m_spBrowser = m_browserHost.Control<IWebBrowser2>();
    if (m_spBrowser)
        m_browserEvents.Connect(
            m_spBrowser.Get(), DIID_DWebBrowserEvents2,
            [this](DISPID dispid, DISPPARAMS& params) { OnBrowserEvent(dispid, params); });
}

void CSnapShotDlg::LoadPictures() {
    if (m_imgBk.IsNull())
        m_imgBk.Load(Skin(L"dlg_bk.png"));
    // Normal, hover, pressed, and the normal picture again for disabled.
    const auto give = [](CImageButton& button, const std::wstring& stem, const wchar_t* tip) {
        const std::wstring normal = Skin((stem + L"_normal.png").c_str());
        const std::wstring hover = Skin((stem + L"_hover.png").c_str());
        const std::wstring pressed = Skin((stem + L"_pressed.png").c_str());
        button.SetImages(normal.c_str(), hover.c_str(), pressed.c_str(), normal.c_str());
        button.SetToolTipText(tip);
    };
    for (int k = 0; k < 4; ++k)
        give(m_btnCol[k], L"snapshot" + std::to_wstring(k + 1), kColumnTips[k]);
    give(m_btnDownload, L"download", kDownloadTip);
    give(m_btnSearchByImg, L"bt_serchbyimg", kSearchTip);
}

LRESULT CSnapShotDlg::OnSize(WPARAM, LPARAM lParam, bool&) {
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(Item(IDC_SNAP_BROWSER), nullptr, 0, 0, w, h - kStripHeight, flags);
    RECT item = {};
    GetWindowRect(Item(IDC_SNAP_COLUMN1), &item);
    const int bw = item.right - item.left, bh = item.bottom - item.top;
    // Computed on unsigned values, as the strip has always done.
    const int x0 =
        static_cast<int>((static_cast<uint32_t>(w) - 4u * static_cast<uint32_t>(bw)) / 2u);
    for (int k = 0; k < 4; ++k)
        SetWindowPos(Item(IDC_SNAP_COLUMN1 + k), nullptr, x0 + k * bw, h - 40, bw, bh, flags);
    RECT client = {};
    GetClientRect(Item(IDC_SNAP_DOWNLOAD), &client);
    SetWindowPos(Item(IDC_SNAP_DOWNLOAD), nullptr, w - client.right - 10, h - 37, bw, bh, flags);
    GetClientRect(Item(IDC_SNAP_SEARCH), &client);
    SetWindowPos(Item(IDC_SNAP_SEARCH), nullptr, w - client.right - 40, h - 40, bw, bh, flags);

    // Centred in the parent (which it normally fills).
    HWND parent = GetParent(m_hWnd);
    RECT self = {}, area = {};
    GetWindowRect(m_hWnd, &self);
    GetClientRect(parent, &area);
    SetWindowPos(m_hWnd, nullptr, (area.right - (self.right - self.left)) / 2,
                 (area.bottom - (self.bottom - self.top)) / 2, 0, 0, flags | SWP_NOSIZE);
    return 0;
}

LRESULT CSnapShotDlg::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
    HDC target = reinterpret_cast<HDC>(wParam);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0)
        return 1;
    // Drawn off screen and copied once, so the strip never flickers.
    MemoryDC memory(target);
    GdiBitmap bitmap(CreateCompatibleBitmap(target, w, h));
    if (!memory.Get() || !bitmap)
        return 1;
    SelectObjectScope select(memory.Get(), bitmap.Get());
    FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!m_imgBk.IsNull()) {
        const RECT strip = {0, h - kStripHeight, w, h};
        const RECT source = {0, 0, m_imgBk.Width(), m_imgBk.Height()};
        m_imgBk.StretchDraw(memory.Get(), strip, source);
    }
    BitBlt(target, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
    return 1;
}

LRESULT CSnapShotDlg::OnDestroy(WPARAM, LPARAM, bool& handled) {
    m_browserEvents.Disconnect();
    m_spBrowser.Reset();
    m_browserHost.DestroyControl();
    handled = false;
    return 0;
}

// ---- buttons ----

LRESULT CSnapShotDlg::OnCommand(WPARAM wParam, LPARAM, bool& handled) {
    const int id = LOWORD(wParam);
    if (id >= IDC_SNAP_COLUMN1 && id <= IDC_SNAP_COLUMN4) {
        const int32_t perRow = id - IDC_SNAP_COLUMN1 + 1;
        CallPageScript(L"setPicsPerRow", &perRow);
        m_btnCol[perRow - 1].SetToolTipText(kColumnTips[perRow - 1]);
    } else if (id == IDC_SNAP_DOWNLOAD) {
        CallPageScript(L"downloadPics", nullptr);
        m_btnDownload.SetToolTipText(kDownloadTip);
    } else if (id == IDC_SNAP_SEARCH) {
        ShowSearchMenu();
    } else if (id == kSearchCar || id == kSearchPerson) {
        m_nObjType = id == kSearchCar ? 2 : 1;
        SearchByPicture();
    } else {
        handled = false;
    }
    return 0;
}

void CSnapShotDlg::CallPageScript(const wchar_t* name, const int32_t* argument) {
    if (!m_spBrowser)
        return;
    ComPtr<IDispatch> document;
    if (FAILED(m_spBrowser->get_Document(document.Receive())) || !document)
        return;
    auto html = document.As<IHTMLDocument2>();
    ComPtr<IDispatch> script;
    if (!html || FAILED(html->get_Script(script.Receive())) || !script)
        return;
    std::wstring function = name;
    LPOLESTR names[] = {function.data()};
    DISPID dispid = DISPID_UNKNOWN;
    if (FAILED(script->GetIDsOfNames(IID_NULL, names, 1, kSystemDefaultLocale, &dispid)))
        return;
    VARIANT value;
    VariantInit(&value);
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    if (argument) {
        value.vt = VT_I4;
        value.lVal = *argument;
        params.rgvarg = &value;
        params.cArgs = 1;
    }
    ScopedVariant result;
    script->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, &result.value, nullptr, nullptr);
}

void CSnapShotDlg::ShowSearchMenu() {
    OwnedMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    AppendMenuW(menu.get(), MF_STRING, kSearchPerson, L"搜索人");
    AppendMenuW(menu.get(), MF_STRING, kSearchCar, L"搜索车");
    POINT at = {};
    GetCursorPos(&at);
    // A point off every monitor (a cursor on a screen that was unplugged)
    // is brought into the nearest monitor's work area.
    if (MonitorFromPoint(at, MONITOR_DEFAULTTONULL) == nullptr) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info)) {
            if (at.x < info.rcWork.left)
                at.x = info.rcWork.left;
            if (at.x > info.rcWork.right)
                at.x = info.rcWork.right;
        }
    }
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
}

// ---- the page's navigations ----

void CSnapShotDlg::Navigate(const std::wstring& url) {
    if (!m_spBrowser)
        return;
    BSTR address = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (address == nullptr)
        return;
    // The browser may call us back (BeforeNavigate2) inside Navigate; what
    // we hold stays alive even if that call takes the panel down.
    ComPtr<IWebBrowser2> browser = m_spBrowser;
    ScopedVariant flags, target, postData, headers;
    browser->Navigate(address, &flags.value, &target.value, &postData.value, &headers.value);
    SysFreeString(address);
}

void CSnapShotDlg::OnBrowserEvent(DISPID dispid, DISPPARAMS& params) {
    if (dispid != DISPID_BEFORENAVIGATE2 || params.cArgs != 7 || params.rgvarg == nullptr)
        return;
    // Arguments arrive last first: the URL is the sixth from the end, the
    // cancel flag the last.
    const VARIANT& cancel = params.rgvarg[0];
    if (cancel.vt != (VT_BYREF | VT_BOOL) || cancel.pboolVal == nullptr)
        return;
    OnBeforeNavigate2(UrlArgument(params.rgvarg[5]), cancel.pboolVal);
}

void CSnapShotDlg::OnBeforeNavigate2(const std::wstring& url, VARIANT_BOOL* cancel) {
    switch (ClassifySnapshotNavigation(url)) {
    case SnapshotNavigation::kSnapshot: {
        const SnapshotClick click = ParseSnapshotUrl(url);
        if (click.frameOffset)
            FrameOffsetTable::Set(m_nTaskID, *click.frameOffset);
        if (!ProcessReportLimit().Allow(GetTickCount()))
            return;
        *cancel = VARIANT_TRUE;
        // Reporting comes last: a listener may take this panel's window, and
        // the browser with it, away.
        DeliverReport(click.startFrame, click.endFrame, click.startSecond, click.endSecond,
                      click.compNo, click.tubeNo, click.kind);
        return;
    }
    case SnapshotNavigation::kDownload:
        OperatorDownload(m_hWnd, SnapshotDownloadAddress(url, m_strSvrIP));
        return;
    case SnapshotNavigation::kOther:
        return;
    }
}
