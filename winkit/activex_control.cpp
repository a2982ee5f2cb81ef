#include "activex_control.h"

#include "dialog.h"
#include "type_library.h"

#include <olectl.h>

namespace {

constexpr LONG kHimetricPerInch = 2540;

SIZEL PixelsToHimetric(SIZE pixels) {
    HDC screen = GetDC(nullptr);
    const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return SIZEL{MulDiv(pixels.cx, kHimetricPerInch, dpiX),
                 MulDiv(pixels.cy, kHimetricPerInch, dpiY)};
}

constexpr DWORD kSafetyOptions =
    INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

} // namespace

HWND CreateDialogAt(Dialog& window, HWND parent, const RECT& position, HMODULE module) {
    HWND created = window.Create(parent, module);
    if (created)
        SetWindowPos(created, nullptr, position.left, position.top, position.right - position.left,
                     position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return created;
}

ActiveXControlBase::ActiveXControlBase(const ActiveXControlInfo& info, HMODULE module)
    : SingleConnectionPointContainer(info.eventInterface ? *info.eventInterface : IID_NULL),
      m_info(info), m_module(module) {}

ActiveXControlBase::~ActiveXControlBase() = default;

HRESULT ActiveXControlBase::QueryControlInterface(REFIID riid, void** ppv) {
    if (IsEqualIID(riid, IID_IUnknown)) {
        // The derived control answers for its identity itself.
        if (ppv)
            *ppv = nullptr;
        return E_NOINTERFACE;
    }
    if (m_info.eventInterface == nullptr && IsEqualIID(riid, IID_IConnectionPointContainer)) {
        // A control without events offers no connection points at all.
        if (ppv)
            *ppv = nullptr;
        return E_NOINTERFACE;
    }
    return QueryInterfaceFromTable(
        riid, ppv,
        {Entry<IViewObjectEx>(this), Entry<IViewObject2>(this), Entry<IViewObject>(this),
         Entry<IOleInPlaceObjectWindowless>(this), Entry<IOleInPlaceObject>(this),
         Entry<IOleWindow, IOleInPlaceObjectWindowless>(this), Entry<IOleInPlaceActiveObject>(this),
         Entry<IOleControl>(this), Entry<IOleObject>(this), Entry<IPersistStreamInit>(this),
         Entry<IPersist, IPersistStreamInit>(this), Entry<ISupportErrorInfo>(this),
         Entry<IConnectionPointContainer>(this), Entry<IQuickActivate>(this),
         Entry<IPersistStorage>(this), Entry<IDataObject>(this), Entry<IProvideClassInfo>(this),
         Entry<IProvideClassInfo2>(this), Entry<IObjectSafety>(this)});
}

SIZEL ActiveXControlBase::NaturalExtent() const {
    return PixelsToHimetric(NaturalPixelSize());
}

// ---- IViewObject, IViewObject2, IViewObjectEx ----

STDMETHODIMP ActiveXControlBase::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDC,
                                      LPCRECTL bounds, LPCRECTL,
                                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (drawDC == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    HWND window = ControlWindow();
    if (window == nullptr) {
        RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        FillRect(drawDC, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return S_OK;
    }
    // Let the window paint itself, children included, at the bounds' corner.
    POINT oldOrigin;
    OffsetViewportOrgEx(drawDC, bounds->left, bounds->top, &oldOrigin);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(drawDC),
                 PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND | PRF_NONCLIENT);
    SetViewportOrgEx(drawDC, oldOrigin.x, oldOrigin.y, nullptr);
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                             LOGPALETTE** palette) {
    if (palette)
        *palette = nullptr;
    return S_FALSE;
}

STDMETHODIMP ActiveXControlBase::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    m_viewAdviseSink = ComPtr<IAdviseSink>::Share(sink);
    m_viewAdviseAspects = aspects;
    m_viewAdviseFlags = flags;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = m_viewAdviseAspects;
    if (flags)
        *flags = m_viewAdviseFlags;
    if (sink)
        *sink = ComPtr<IAdviseSink>(m_viewAdviseSink).Detach();
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

STDMETHODIMP ActiveXControlBase::GetViewStatus(DWORD* status) {
    if (status == nullptr)
        return E_POINTER;
    *status = VIEWSTATUS_SOLIDBKGND | VIEWSTATUS_OPAQUE;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT where, LONG,
                                               DWORD* result) {
    if (result == nullptr || bounds == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return E_FAIL;
    *result = PtInRect(bounds, where) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT where, LONG,
                                              DWORD* result) {
    if (result == nullptr || bounds == nullptr || where == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return E_FAIL;
    RECT overlap;
    *result = IntersectRect(&overlap, bounds, where) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC,
                                                  DVEXTENTINFO* info, LPSIZEL size) {
    if (size == nullptr || info == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT || info->dwExtentMode != DVEXTENT_CONTENT)
        return E_NOTIMPL;
    *size = NaturalExtent();
    return S_OK;
}

// ---- IOleWindow, IOleInPlaceObject ----

STDMETHODIMP ActiveXControlBase::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = ControlWindow();
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP ActiveXControlBase::InPlaceDeactivate() {
    if (!m_inPlaceActive)
        return S_OK;
    UIDeactivate();
    m_inPlaceActive = false;
    DestroyControlWindow();
    if (m_inPlaceSite)
        m_inPlaceSite->OnInPlaceDeactivate();
    m_frame.Reset();
    m_document.Reset();
    m_inPlaceSite.Reset();
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::UIDeactivate() {
    if (!m_uiActive)
        return S_OK;
    m_uiActive = false;
    if (m_document)
        m_document->SetActiveObject(nullptr, nullptr);
    if (m_frame)
        m_frame->SetActiveObject(nullptr, nullptr);
    if (m_inPlaceSite)
        m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::SetObjectRects(LPCRECT position, LPCRECT) {
    if (position == nullptr)
        return E_POINTER;
    HWND window = ControlWindow();
    if (window)
        SetWindowPos(window, nullptr, position->left, position->top,
                     position->right - position->left, position->bottom - position->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

// ---- IOleInPlaceActiveObject ----

STDMETHODIMP ActiveXControlBase::TranslateAccelerator(LPMSG message) {
    HWND window = ControlWindow();
    if (message == nullptr || window == nullptr)
        return S_FALSE;
    // Tab and arrow navigation between the panel's controls.
    if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
        (message->hwnd == window || IsChild(window, message->hwnd)) &&
        IsDialogMessageW(window, message))
        return S_OK;
    return S_FALSE;
}

// ---- IOleObject ----

STDMETHODIMP ActiveXControlBase::SetClientSite(IOleClientSite* site) {
    // A container that takes its site away without closing the control first
    // still gets the control out of its window and its references back.
    if (site != m_clientSite.Get()) {
        InPlaceDeactivate();
        m_inPlaceSite.Reset();
    }
    m_clientSite = ComPtr<IOleClientSite>::Share(site);
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetClientSite(IOleClientSite** site) {
    if (site == nullptr)
        return E_POINTER;
    *site = ComPtr<IOleClientSite>(m_clientSite).Detach();
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::Close(DWORD) {
    InPlaceDeactivate();
    if (m_oleAdviseHolder)
        m_oleAdviseHolder->SendOnClose();
    m_oleAdviseHolder.Reset();
    m_viewAdviseSink.Reset();
    return S_OK;
}

HRESULT ActiveXControlBase::InPlaceActivate(LONG verb, const RECT* requested) {
    if (!m_clientSite)
        return E_UNEXPECTED;
    if (!m_inPlaceActive) {
        if (!m_inPlaceSite &&
            FAILED(m_clientSite->QueryInterface(IID_IOleInPlaceSite, m_inPlaceSite.ReceiveVoid())))
            return E_FAIL;
        if (m_inPlaceSite->CanInPlaceActivate() != S_OK) {
            m_inPlaceSite.Reset();
            return E_FAIL;
        }
        m_inPlaceActive = true;
        m_inPlaceSite->OnInPlaceActivate();

        HWND parent = nullptr;
        m_inPlaceSite->GetWindow(&parent);
        RECT position = {}, clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        m_inPlaceSite->GetWindowContext(m_frame.Receive(), m_document.Receive(), &position, &clip,
                                        &frameInfo);
        if (requested)
            position = *requested;
        if (ControlWindow() == nullptr && CreateControlWindow(parent, position) == nullptr) {
            m_inPlaceActive = false;
            m_inPlaceSite->OnInPlaceDeactivate();
            m_frame.Reset();
            m_document.Reset();
            m_inPlaceSite.Reset();
            return E_FAIL;
        }
        SetObjectRects(&position, &clip);
    }
    HWND window = ControlWindow();
    ShowWindow(window, SW_SHOW);

    if (verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_PRIMARY || verb == OLEIVERB_SHOW) {
        if (!m_uiActive) {
            m_uiActive = true;
            m_inPlaceSite->OnUIActivate();
            IOleInPlaceActiveObject* active = this;
            if (m_document)
                m_document->SetActiveObject(active, nullptr);
            if (m_frame) {
                m_frame->SetActiveObject(active, nullptr);
                m_frame->SetBorderSpace(nullptr);
            }
        }
        if (!IsChild(window, GetFocus()))
            SetFocus(window);
    }
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND,
                                        LPCRECT position) {
    if (site != nullptr && !m_clientSite)
        SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(verb, position);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (ControlWindow())
            ShowWindow(ControlWindow(), SW_HIDE);
        return S_OK;
    case OLEIVERB_OPEN:
    case OLEIVERB_DISCARDUNDOSTATE:
        return S_OK;
    default:
        return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

STDMETHODIMP ActiveXControlBase::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs == nullptr)
        return E_POINTER;
    *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
}

STDMETHODIMP ActiveXControlBase::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

STDMETHODIMP ActiveXControlBase::GetUserType(DWORD, LPOLESTR* name) {
    if (name == nullptr)
        return E_POINTER;
    const size_t bytes = (wcslen(m_info.userTypeName) + 1) * sizeof(wchar_t);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (*name == nullptr)
        return E_OUTOFMEMORY;
    memcpy(*name, m_info.userTypeName, bytes);
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    m_extent = *size;
    m_extentSet = true;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *size = m_extentSet ? m_extent : NaturalExtent();
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!m_oleAdviseHolder && FAILED(CreateOleAdviseHolder(m_oleAdviseHolder.Receive())))
        return E_OUTOFMEMORY;
    return m_oleAdviseHolder->Advise(sink, connection);
}

STDMETHODIMP ActiveXControlBase::Unadvise(DWORD connection) {
    if (!m_oleAdviseHolder)
        return OLE_E_NOCONNECTION;
    return m_oleAdviseHolder->Unadvise(connection);
}

STDMETHODIMP ActiveXControlBase::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise == nullptr)
        return E_POINTER;
    *advise = nullptr;
    if (!m_oleAdviseHolder)
        return E_FAIL;
    return m_oleAdviseHolder->EnumAdvise(advise);
}

STDMETHODIMP ActiveXControlBase::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (status == nullptr)
        return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? m_info.miscStatus : 0;
    return S_OK;
}

// ---- IPersist* ----

STDMETHODIMP ActiveXControlBase::GetClassID(CLSID* clsid) {
    if (clsid == nullptr)
        return E_POINTER;
    *clsid = *m_info.clsid;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

// ---- ISupportErrorInfo ----

STDMETHODIMP ActiveXControlBase::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, *m_info.dualInterface) ? S_OK : S_FALSE;
}

// ---- IQuickActivate ----

STDMETHODIMP ActiveXControlBase::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (container == nullptr || control == nullptr)
        return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL))
        return E_INVALIDARG;
    HRESULT hr = SetClientSite(container->pClientSite);
    if (container->pAdviseSink)
        SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    control->dwEventCookie = 0;
    if (container->pUnkEventSink && m_info.eventInterface)
        m_connectionPoint.Advise(container->pUnkEventSink, &control->dwEventCookie);
    control->dwPropNotifyCookie = 0;
    GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
    GetViewStatus(&control->dwViewStatus);
    control->dwPointerActivationPolicy = 0;
    return hr;
}

STDMETHODIMP ActiveXControlBase::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

STDMETHODIMP ActiveXControlBase::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

// ---- IProvideClassInfo2 ----

STDMETHODIMP ActiveXControlBase::GetClassInfo(ITypeInfo** info) {
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> found;
    const HRESULT hr = LoadModuleTypeInfo(m_module, *m_info.clsid, false, found);
    if (SUCCEEDED(hr))
        *info = found.Detach();
    return hr;
}

STDMETHODIMP ActiveXControlBase::GetGUID(DWORD kind, GUID* guid) {
    if (guid == nullptr)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    if (m_info.eventInterface == nullptr) {
        *guid = GUID_NULL;
        return E_FAIL;
    }
    *guid = *m_info.eventInterface;
    return S_OK;
}

// ---- IObjectSafety ----

STDMETHODIMP ActiveXControlBase::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported,
                                                           DWORD* enabled) {
    if (supported == nullptr || enabled == nullptr)
        return E_POINTER;
    ComPtr<IUnknown> answered;
    if (FAILED(Self()->QueryInterface(riid, answered.ReceiveVoid()))) {
        *supported = 0;
        *enabled = 0;
        return E_NOINTERFACE;
    }
    *supported = kSafetyOptions;
    *enabled = m_safetyOptions;
    return S_OK;
}

STDMETHODIMP ActiveXControlBase::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD options) {
    ComPtr<IUnknown> answered;
    if (FAILED(Self()->QueryInterface(riid, answered.ReceiveVoid())))
        return E_NOINTERFACE;
    if ((mask & ~kSafetyOptions) != 0)
        return E_FAIL;
    m_safetyOptions = (options & mask) | (m_safetyOptions & ~mask);
    return S_OK;
}
