#include "ax_site.h"

STDMETHODIMP AxSite::QueryInterface(REFIID riid, void** ppv) {
    return QueryInterfaceFromTable(riid, ppv,
                                   {Entry<IOleClientSite>(this), Entry<IOleInPlaceSite>(this),
                                    Entry<IOleWindow, IOleInPlaceSite>(this),
                                    Entry<IOleInPlaceUIWindow>(this),
                                    Entry<IOleInPlaceFrame>(this)});
}

STDMETHODIMP AxSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP AxSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP AxSite::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = m_hostWindow;
    return m_hostWindow ? S_OK : E_FAIL;
}

STDMETHODIMP AxSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr)
        return E_POINTER;
    // The site is the frame and the document window too: it has no tools to offer.
    AddRef();
    *frame = this;
    AddRef();
    *document = this;
    RECT area = {};
    if (m_hostWindow)
        GetClientRect(m_hostWindow, &area);
    *position = area;
    *clip = area;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = m_hostWindow ? GetAncestor(m_hostWindow, GA_ROOT) : nullptr;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}
