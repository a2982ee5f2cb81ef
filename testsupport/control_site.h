// A minimal in-place container for tests: a parent window and the client
// site a control activates itself in, counting what the control asks of it.
#pragma once

#include "com_base.h"
#include "window.h"

#include <oleidl.h>

class TestParentWindow : public CustomWindow {
public:
    // A visible top-level window whose client area is width x height.
    bool Create(int width, int height);
    ~TestParentWindow() override { Destroy(); }

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

class TestControlSite final : public IOleClientSite, public IOleInPlaceSite {
public:
    TestControlSite(HWND parent, const RECT& position) : m_parent(parent), m_position(position) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    WINKIT_IUNKNOWN_REFCOUNT

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    int inPlaceActivations = 0;
    int inPlaceDeactivations = 0;
    int uiActivations = 0;
    int uiDeactivations = 0;

private:
    ComRefCount m_refs;
    HWND m_parent;
    RECT m_position;
};

// Sets the site on the control and activates it in place; returns DoVerb's result.
HRESULT ActivateInSite(IUnknown* control, TestControlSite* site, const RECT& position);
