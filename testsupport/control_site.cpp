#include "control_site.h"

bool TestParentWindow::Create(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    OffsetRect(&frame, 10 - frame.left, 10 - frame.top);
    if (!CustomWindow::Create(L"TestParentWindow", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, frame,
                              nullptr, L"test page", CS_DBLCLKS,
                              static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
        return false;
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    return true;
}

STDMETHODIMP TestControlSite::QueryInterface(REFIID riid, void** ppv) {
    return QueryInterfaceFromTable(riid, ppv,
                                   {Entry<IOleClientSite>(this), Entry<IOleInPlaceSite>(this),
                                    Entry<IOleWindow, IOleInPlaceSite>(this)});
}

STDMETHODIMP TestControlSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP TestControlSite::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = m_parent;
    return S_OK;
}

STDMETHODIMP TestControlSite::OnInPlaceActivate() {
    ++inPlaceActivations;
    return S_OK;
}

STDMETHODIMP TestControlSite::OnUIActivate() {
    ++uiActivations;
    return S_OK;
}

STDMETHODIMP TestControlSite::OnUIDeactivate(BOOL) {
    ++uiDeactivations;
    return S_OK;
}

STDMETHODIMP TestControlSite::OnInPlaceDeactivate() {
    ++inPlaceDeactivations;
    return S_OK;
}

STDMETHODIMP TestControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame)
        *frame = nullptr;
    if (document)
        *document = nullptr;
    if (position)
        *position = m_position;
    if (clip)
        *clip = m_position;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = m_parent;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT ActivateInSite(IUnknown* control, TestControlSite* site, const RECT& position) {
    ComPtr<IOleObject> object;
    HRESULT hr = control->QueryInterface(IID_IOleObject, object.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    hr = object->SetClientSite(site);
    if (FAILED(hr))
        return hr;
    HWND parent = nullptr;
    site->GetWindow(&parent);
    return object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, parent, &position);
}
