#include "ax_host.h"

#include <ocidl.h>

namespace {

// Sent to a host window; the answer is the control's IUnknown with a
// reference for the caller, or 0.
UINT GetControlMessage() {
    static const UINT message = RegisterWindowMessageW(L"WinkitAxHostGetControl");
    return message;
}

RECT ClientArea(HWND window) {
    RECT area = {};
    GetClientRect(window, &area);
    return area;
}

} // namespace

AxHost::~AxHost() {
    DestroyControl();
}

HRESULT AxHost::CreateControl(HWND window, REFCLSID clsid) {
    DestroyControl();
    if (window == nullptr)
        return E_INVALIDARG;
    if (m_hWnd != window && !Subclass(window))
        return E_FAIL;

    ComPtr<IOleObject> control;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  control.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    m_site = ComPtr<AxSite>::Adopt(new AxSite(window));
    m_control = control;

    DWORD status = 0;
    control->GetMiscStatus(DVASPECT_CONTENT, &status);
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst)
        hr = control->SetClientSite(m_site.Get());
    if (SUCCEEDED(hr)) {
        if (auto persist = control.As<IPersistStreamInit>())
            persist->InitNew();
        if (!siteFirst)
            hr = control->SetClientSite(m_site.Get());
    }
    RECT area = ClientArea(window);
    if (SUCCEEDED(hr))
        hr = control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.Get(), 0, window, &area);
    if (FAILED(hr))
        DestroyControl();
    return hr;
}

void AxHost::DestroyControl() {
    // Taken out first: a call the control makes back while it closes finds
    // nothing to take down twice.
    ComPtr<IOleObject> control = std::move(m_control);
    ComPtr<AxSite> site = std::move(m_site);
    if (control) {
        if (auto inPlace = control.As<IOleInPlaceObject>())
            inPlace->InPlaceDeactivate();
        control->Close(OLECLOSE_NOSAVE);
        control->SetClientSite(nullptr);
    }
    if (site)
        site->Detach();
}

bool AxHost::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_SIZE && m_control) {
        if (auto inPlace = m_control.As<IOleInPlaceObject>()) {
            const RECT area = ClientArea(m_hWnd);
            inPlace->SetObjectRects(&area, &area);
        }
        return false;
    }
    if (message == WM_DESTROY) {
        // The control's window is a child of ours and goes now too.
        DestroyControl();
        return false;
    }
    if (message == GetControlMessage()) {
        ComPtr<IUnknown> unknown = m_control.As<IUnknown>();
        result = reinterpret_cast<LRESULT>(unknown.Detach());
        return true;
    }
    return false;
}

ComPtr<IUnknown> HostedControlOf(HWND window) {
    if (window == nullptr || !IsWindow(window))
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // A pointer is only good in its own process.
    if (process != GetCurrentProcessId())
        return nullptr;
    return ComPtr<IUnknown>::Adopt(
        reinterpret_cast<IUnknown*>(SendMessageW(window, GetControlMessage(), 0, 0)));
}
