#include "config_dlg.h"

#include "bstr.h"
#include "dialog_template.h"
#include "gdi.h"
#include "http_client.h"
#include "module_path.h"
#include "parameter_parsers.h"
#include "parameter_writers.h"
#include "resource.h"
#include "snapshot_request.h"
#include "tag_value.h"
#include "thread_ansi_text.h"
#include "whole_download.h"

#include <cwctype>
#include <new>

namespace {

const ActiveXControlInfo kControlInfo = {&CLSID_ConfigDlg, &IID_IConfigDlg, nullptr,
                                         CConfigDlg::kMiscStatus, L"ConfigDlg Class"};

constexpr COLORREF kBackground = RGB(200, 200, 200);
constexpr int kViewMargin = 10;

// The text behind an [in] BSTR* argument.
std::wstring TextAt(const BSTR* text) {
    return text ? TextOf(*text) : std::wstring();
}

// The reply's value without the line break the server writes before the
// closing tag (or any other blanks around it).
std::wstring Trimmed(std::wstring text) {
    while (!text.empty() && std::iswspace(text.back()))
        text.pop_back();
    size_t first = 0;
    while (first < text.size() && std::iswspace(text[first]))
        ++first;
    return text.substr(first);
}

} // namespace

HRESULT CConfigDlg::CreateInstance(REFIID riid, void** ppv) {
    return QueryNewObject(new (std::nothrow) CConfigDlg(), riid, ppv);
}

CConfigDlg::CConfigDlg()
    : TypeLibDispatch<IConfigDlg>(ThisModule()), ActiveXControlBase(kControlInfo, ThisModule()),
      m_window(IDD_CONFIGDLG, *this, &CConfigDlg::OnControlMessage) {
    m_panel.SetKeepAlive(static_cast<IConfigDlg*>(this));
}

CConfigDlg::~CConfigDlg() {
    DestroyControlWindow();
}

STDMETHODIMP CConfigDlg::QueryInterface(REFIID riid, void** ppv) {
    const HRESULT hr = QueryInterfaceFromTable(
        riid, ppv, {Entry<IConfigDlg>(this), Entry<IDispatch, IConfigDlg>(this)});
    if (hr != E_NOINTERFACE)
        return hr;
    return QueryControlInterface(riid, ppv);
}

// ---- scripting ----

STDMETHODIMP CConfigDlg::Ocx_CreateConfigWnd(BSTR bstrFileUrl, BSTR bstrSrvIP) {
    return ComBoundary([&]() -> HRESULT {
        if (!m_window.Exists())
            return E_UNEXPECTED;
        return LoadSnapshot(TextOf(bstrFileUrl), TextOf(bstrSrvIP));
    });
}

HRESULT CConfigDlg::LoadSnapshot(const std::wstring& fileUrl, const std::wstring& server) {
    std::wstring working = fileUrl;
    if (const auto request = SnapshotRequestUrl(fileUrl, server)) {
        std::wstring reply;
        HttpGetText(request->c_str(), reply);
        const auto picture = SnapshotPictureUrl(reply, server);
        if (!picture)
            return S_FALSE; // no snapshot obtained
        working = *picture;
    }
    std::wstring local = fileUrl;
    if (IsHttpUrl(working)) {
        // Only the URL's last component names the file, and only when it is a
        // plain file name: nothing is ever written outside the folder.
        const auto name = DownloadFileName(working);
        if (!name)
            return S_FALSE;
        const std::wstring folder = ModuleFolder() + L"\\DownloadImg";
        CreateDirectoryW(folder.c_str(), nullptr); // an existing folder is fine
        local = folder + L"\\" + *name;
        // A failed download shows as a missing file when the view loads it.
        DownloadWholeFile(working, local, ExistingFile::Replace);
    }
    m_view.LoadImage(local);
    int width = 0, height = 0;
    m_view.GetImageSize(width, height);
    m_panel.SetImageSize(width, height);
    return S_OK;
}

STDMETHODIMP CConfigDlg::Ocx_GetConfigData(BSTR* bstrData) {
    return ComBoundary([&]() -> HRESULT {
        if (bstrData == nullptr)
            return E_POINTER;
        *bstrData = nullptr;
        if (!m_window.Exists())
            return E_UNEXPECTED;
        const std::wstring panel = m_panel.CollectParameters();
        const std::wstring data =
            JoinParameterStrings(panel, m_view.RegionString(), m_view.TripwireString());
        *bstrData = SysAllocStringLen(data.data(), static_cast<UINT>(data.size()));
        return *bstrData ? S_OK : E_OUTOFMEMORY;
    });
}

void CConfigDlg::ApplyRecords(const TaskParams& params, const RegionSetting& region,
                              const TripwireSetting& tripwire, bool enabled) {
    m_panel.SetParameters(params, region.attr, tripwire.crossdir, enabled);
    m_view.SetRegion(region, !enabled);
    m_view.SetTripwire(tripwire, !enabled);
}

STDMETHODIMP CConfigDlg::Ocx_SetConfigData(BSTR* bstrData, VARIANT_BOOL bEnable) {
    return ComBoundary([&]() -> HRESULT {
        if (!m_window.Exists())
            return E_UNEXPECTED;
        TaskParams params;
        RegionSetting region;
        TripwireSetting tripwire;
        // An incomplete string still applies whatever it had before the gap.
        ParseParameterString(TextAt(bstrData), params, region, tripwire, WideToThreadAnsiText);
        ApplyRecords(params, region, tripwire, bEnable == VARIANT_TRUE);
        return S_OK;
    });
}

STDMETHODIMP CConfigDlg::Ocx_ShowConfigData(UINT flowNumber, BSTR* bstrIP, VARIANT_BOOL bEnable) {
    return ComBoundary([&]() -> HRESULT {
        if (!m_window.Exists())
            return E_UNEXPECTED;
        const std::wstring host = TextAt(bstrIP);
        const std::wstring url =
            L"http://" + host + L"//taskdetail.php?flowNumber=" + std::to_wstring(flowNumber);
        std::wstring reply;
        HttpGetText(url.c_str(), reply);
        if (reply.empty())
            return E_FAIL;
        TaskParams params;
        RegionSetting region;
        TripwireSetting tripwire;
        if (!ParseTaskDetailXml(reply, params, region, tripwire))
            return E_FAIL;
        std::wstring source;
        if (!CutBetween(reply, L"<sourceUrl>", L"</sourceUrl>", source))
            return E_FAIL;

        // Through the interface, as script would call it; the page may drop
        // its own reference meanwhile.
        ComPtr<IConfigDlg> self = ComPtr<IConfigDlg>::Share(this);
        const OwnedBstr fileUrl(L"file=" + Trimmed(source));
        const OwnedBstr server(host);
        if (self->Ocx_CreateConfigWnd(fileUrl.Get(), server.Get()) == E_FAIL)
            return E_FAIL;
        ApplyRecords(params, region, tripwire, bEnable == VARIANT_TRUE);
        return S_OK;
    });
}

// ---- control window ----

HWND CConfigDlg::CreateControlWindow(HWND parent, const RECT& position) {
    return CreateDialogAt(m_window, parent, position, ThisModule());
}

void CConfigDlg::DestroyControlWindow() {
    m_window.Destroy();
}

SIZE CConfigDlg::NaturalPixelSize() const {
    SIZE size = {0, 0};
    DialogTemplatePixelSize(ThisModule(), IDD_CONFIGDLG, size);
    return size;
}

void CConfigDlg::Layout() {
    if (!m_window.Exists() || !m_panel.Exists())
        return;
    RECT client, panel;
    GetClientRect(m_window.Hwnd(), &client);
    GetWindowRect(m_panel.Hwnd(), &panel);
    const int panelWidth = panel.right - panel.left;
    MoveWindow(m_panel.Hwnd(), client.right - panelWidth, 0, panelWidth, client.bottom, TRUE);
    m_view.SetArea(kViewMargin, kViewMargin, client.right - panelWidth - 2 * kViewMargin,
                   client.bottom - 2 * kViewMargin);
    m_view.FillArea();
}

bool CConfigDlg::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        m_view.Subclass(GetDlgItem(m_window.Hwnd(), IDC_IMAGE_AREA));
        if (m_panel.Create(m_window.Hwnd(), ThisModule()))
            ShowWindow(m_panel.Hwnd(), SW_SHOW);
        Layout();
        result = TRUE;
        return true;
    case WM_SIZE:
        Layout();
        result = 0;
        return true;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_window.Hwnd(), &client);
        GdiBrush background(CreateSolidBrush(kBackground));
        FillRect(reinterpret_cast<HDC>(wParam), &client, background.Get());
        result = 1;
        return true;
    }
    case kTripwireMessage:
    case kRegionMessage:
        result = m_view.IsSubclassed() ? SendMessageW(m_view.Hwnd(), message, wParam, lParam) : 0;
        return true;
    case WM_MOUSEACTIVATE:
        // A click into the control makes it the page's active object.
        UIActivate();
        return false;
    default:
        return false;
    }
}
