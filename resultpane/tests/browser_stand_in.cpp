#include "browser_stand_in.h"

#include "module_path.h"
#include "untyped_dispatch.h"

#include <mshtml.h>

namespace {

constexpr DISPID kSetPicsPerRow = 1;
constexpr DISPID kDownloadPics = 2;
constexpr LCID kSystemDefault = 0x800;

// The page's script object: knows the page's two functions, records calls.
class ScriptStandIn final : public UntypedDispatch<> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        return QueryInterfaceFromTable(riid, ppv, {Entry<IDispatch>(this)});
    }
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override {
        if (count != 1 || names == nullptr || ids == nullptr)
            return E_INVALIDARG;
        const std::wstring name = names[0];
        if (lcid != kSystemDefault)
            StandInLog().scriptCalls.push_back(L"lookup " + std::to_wstring(lcid) + L" " + name);
        *ids = DISPID_UNKNOWN;
        if (!StandInLog().pageDefinesFunctions)
            return DISP_E_UNKNOWNNAME;
        if (name == L"setPicsPerRow")
            *ids = kSetPicsPerRow;
        else if (name == L"downloadPics")
            *ids = kDownloadPics;
        return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        if (!(flags & DISPATCH_METHOD) || params == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        std::wstring call;
        if (id == kSetPicsPerRow && params->cArgs == 1 && params->rgvarg[0].vt == VT_I4)
            call = L"setPicsPerRow(" + std::to_wstring(params->rgvarg[0].lVal) + L")";
        else if (id == kDownloadPics && params->cArgs == 0)
            call = L"downloadPics()";
        else
            return DISP_E_BADPARAMCOUNT;
        StandInLog().scriptCalls.push_back(call);
        if (result)
            VariantInit(result);
        return S_OK;
    }

private:
    ComRefCount m_refs;
};

// The document. The panel asks it for IHTMLDocument2 and calls get_Script
// only, which IHTMLDocument2 inherits from IHTMLDocument at the same place in
// its table: this stand-in offers that first part for both.
class DocumentStandIn final : public UntypedDispatch<IHTMLDocument> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        return QueryInterfaceFromTable(
            riid, ppv,
            {Entry<IHTMLDocument>(this),
             InterfaceEntry{&IID_IHTMLDocument2, static_cast<IHTMLDocument*>(this)},
             Entry<IDispatch>(this)});
    }
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP get_Script(IDispatch** script) override {
        if (script == nullptr)
            return E_POINTER;
        *script = new ScriptStandIn();
        return S_OK;
    }

private:
    ComRefCount m_refs;
};

constexpr DWORD kBrowserMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE;

const ActiveXControlInfo kStandInInfo = {&CLSID_WebBrowser, &IID_IWebBrowser2,
                                         &DIID_DWebBrowserEvents2, kBrowserMiscStatus,
                                         L"Browser stand-in"};

} // namespace

BrowserStandInLog& StandInLog() {
    static BrowserStandInLog log;
    return log;
}

BrowserStandInRegistration::BrowserStandInRegistration() {
    auto* factory = new ClassFactory<BrowserStandIn>();
    if (FAILED(CoRegisterClassObject(CLSID_WebBrowser, factory, CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
    factory->Release();
}

BrowserStandInRegistration::~BrowserStandInRegistration() {
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
}

HRESULT BrowserStandIn::CreateInstance(REFIID riid, void** ppv) {
    auto* browser = new BrowserStandIn();
    const HRESULT hr = browser->QueryInterface(riid, ppv);
    browser->Release();
    return hr;
}

BrowserStandIn::BrowserStandIn() : ActiveXControlBase(kStandInInfo, ThisModule()) {}

BrowserStandIn::~BrowserStandIn() {
    DestroyControlWindow();
}

STDMETHODIMP BrowserStandIn::QueryInterface(REFIID riid, void** ppv) {
    const HRESULT hr =
        QueryInterfaceFromTable(riid, ppv,
                                {Entry<IWebBrowser2>(this), Entry<IWebBrowserApp>(this),
                                 Entry<IWebBrowser>(this), Entry<IDispatch, IWebBrowser2>(this)});
    if (hr != E_NOINTERFACE)
        return hr;
    return QueryControlInterface(riid, ppv);
}

STDMETHODIMP BrowserStandIn::Navigate(BSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    m_location = URL ? URL : L"";
    StandInLog().navigations.push_back(m_location);
    return S_OK;
}

STDMETHODIMP BrowserStandIn::get_Document(IDispatch** ppDisp) {
    if (ppDisp == nullptr)
        return E_POINTER;
    *ppDisp = new DocumentStandIn();
    return S_OK;
}

STDMETHODIMP BrowserStandIn::get_LocationURL(BSTR* LocationURL) {
    if (LocationURL == nullptr)
        return E_POINTER;
    *LocationURL = SysAllocString(m_location.c_str());
    return S_OK;
}

STDMETHODIMP BrowserStandIn::get_HWND(SHANDLE_PTR* pHWND) {
    if (pHWND == nullptr)
        return E_POINTER;
    *pHWND = reinterpret_cast<SHANDLE_PTR>(m_window.Hwnd());
    return S_OK;
}

HWND BrowserStandIn::CreateControlWindow(HWND parent, const RECT& position) {
    return m_window.Create(L"BrowserStandInView", WS_CHILD | WS_VISIBLE, 0, position, parent, L"",
                           0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}
