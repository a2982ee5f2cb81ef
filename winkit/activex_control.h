// The parts of a windowed, in-place ActiveX control that do not depend on
// which control it is: OLE embedding and in-place activation in a
// container's window, viewing, persistence (the controls keep no data),
// quick activation, class information, error-info support, events through one
// connection point, and IObjectSafety.
//
// A control derives from this and from TypeLibDispatch<ItsDualInterface>,
// implements IUnknown once (its QueryInterface lists its dual interface and
// IDispatch, then calls QueryControlInterface), and supplies its control
// window through the virtual hooks.
#pragma once

#include "com_base.h"
#include "connection_point.h"

#include <docobj.h>
#include <objsafe.h>
#include <ocidl.h>
#include <oleidl.h>

// objsafe.h declares the interface without the uuid that __uuidof needs.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0,
                0x64)

struct ActiveXControlInfo {
    const CLSID* clsid;
    const IID* dualInterface;    // the scripting interface (error-info support)
    const IID* eventInterface;   // the default source dispinterface; null: no events
    DWORD miscStatus;            // OLEMISC_* flags, as registered
    const wchar_t* userTypeName; // "CResultPane Class"
};

class Dialog;

// Creates a control's window from a dialog template as a child of parent,
// placed at position (the container's rectangle); null on failure.
HWND CreateDialogAt(Dialog& window, HWND parent, const RECT& position, HMODULE module);

class ActiveXControlBase : public IViewObjectEx,
                           public IOleInPlaceObjectWindowless,
                           public IOleInPlaceActiveObject,
                           public IOleControl,
                           public IOleObject,
                           public IPersistStreamInit,
                           public ISupportErrorInfo,
                           public SingleConnectionPointContainer,
                           public IQuickActivate,
                           public IPersistStorage,
                           public IDataObject,
                           public IProvideClassInfo2,
                           public IObjectSafety {
public:
    // The control interfaces in the order a control answers for them, after
    // its own dual interface and IDispatch.
    HRESULT QueryControlInterface(REFIID riid, void** ppv);

    // IViewObject, IViewObject2, IViewObjectEx
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                      HDC targetDC, HDC drawDC, LPCRECTL bounds, LPCRECTL windowBounds,
                      BOOL(STDMETHODCALLTYPE* continueFn)(ULONG_PTR),
                      ULONG_PTR continueArg) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override;
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, LPSIZEL size) override;
    STDMETHODIMP GetRect(DWORD, LPRECTL) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewStatus(DWORD* status) override;
    STDMETHODIMP QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT where, LONG closeHint,
                               DWORD* result) override;
    STDMETHODIMP QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT where, LONG closeHint,
                              DWORD* result) override;
    STDMETHODIMP GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, HDC targetDC,
                                  DVEXTENTINFO* info, LPSIZEL size) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceObjectWindowless
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return S_FALSE; }
    STDMETHODIMP GetDropTarget(IDropTarget**) override { return E_NOTIMPL; }

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return S_OK; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IPersist, IPersistStreamInit, IPersistStorage: nothing is persisted.
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override { return S_OK; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    STDMETHODIMP SetContentExtent(LPSIZEL size) override;
    STDMETHODIMP GetContentExtent(LPSIZEL size) override;

    // IDataObject: the controls offer no data.
    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // IProvideClassInfo, IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IObjectSafety: both options supported for every interface the object
    // answers, none enabled at first.
    STDMETHODIMP GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    STDMETHODIMP SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD options) override;

    DWORD EnabledSafetyOptions() const { return m_safetyOptions; }
    bool IsInPlaceActive() const { return m_inPlaceActive; }

protected:
    ActiveXControlBase(const ActiveXControlInfo& info, HMODULE module);
    virtual ~ActiveXControlBase();

    // The control window: created as a child of parent at position, and
    // destroyed again. ControlWindow() is null while there is none.
    virtual HWND CreateControlWindow(HWND parent, const RECT& position) = 0;
    virtual void DestroyControlWindow() = 0;
    virtual HWND ControlWindow() const = 0;
    // The window's natural size in pixels (its dialog template's size).
    virtual SIZE NaturalPixelSize() const = 0;

    // Fires an event on every connected sink (see ConnectionPoint::FireInt32).
    HRESULT FireEvent(DISPID dispid, std::initializer_list<int32_t> arguments) {
        return m_connectionPoint.FireInt32(dispid, arguments);
    }
    HMODULE Module() const { return m_module; }
    // Makes the control the container's active object (a click into it).
    HRESULT UIActivate() {
        return m_inPlaceActive ? InPlaceActivate(OLEIVERB_UIACTIVATE, nullptr) : S_OK;
    }

private:
    IUnknown* Self() { return static_cast<IOleObject*>(this); }
    HRESULT InPlaceActivate(LONG verb, const RECT* position);
    SIZEL NaturalExtent() const;

    ActiveXControlInfo m_info;
    HMODULE m_module;
    ComPtr<IOleClientSite> m_clientSite;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IOleInPlaceFrame> m_frame;
    ComPtr<IOleInPlaceUIWindow> m_document;
    ComPtr<IOleAdviseHolder> m_oleAdviseHolder;
    ComPtr<IAdviseSink> m_viewAdviseSink;
    DWORD m_viewAdviseAspects = 0;
    DWORD m_viewAdviseFlags = 0;
    SIZEL m_extent = {0, 0};
    bool m_extentSet = false;
    bool m_inPlaceActive = false;
    bool m_uiActive = false;
    DWORD m_safetyOptions = 0;
};
