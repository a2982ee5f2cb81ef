#include "event_sink.h"

EventSink::EventSink(std::wstring control, const IID& eventInterface, ComPtr<ITypeInfo> names,
                     Handler handler)
    : m_control(std::move(control)), m_iid(eventInterface), m_names(std::move(names)),
      m_handler(std::move(handler)) {}

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, m_iid)) {
        AddRef();
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    return QueryInterfaceFromTable(riid, ppv, {Entry<IDispatch>(this)});
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO*, UINT*) {
    Event event;
    event.control = m_control;
    event.name = L"event#" + std::to_wstring(dispid);
    if (m_names) {
        BSTR name = nullptr;
        UINT got = 0;
        if (SUCCEEDED(m_names->GetNames(dispid, &name, 1, &got)) && got == 1 && name) {
            event.name = name;
        }
        SysFreeString(name);
    }
    const UINT count = params ? params->cArgs : 0;
    for (UINT i = 0; i < count; ++i) {
        // Automation passes the last argument first.
        VARIANT value;
        VariantInit(&value);
        EventArgument argument;
        if (SUCCEEDED(VariantChangeType(&value, &params->rgvarg[count - 1 - i], 0, VT_I8))) {
            argument.integer = value.llVal;
        } else if (SUCCEEDED(
                       VariantChangeType(&value, &params->rgvarg[count - 1 - i], 0, VT_BSTR))) {
            argument.isText = true;
            argument.text = value.bstrVal ? value.bstrVal : L"";
        }
        VariantClear(&value);
        event.arguments.push_back(argument);
    }
    if (result) {
        VariantInit(result);
        result->vt = VT_I4;
        result->lVal = 0;
    }
    if (m_handler)
        m_handler(event);
    return S_OK;
}

std::wstring DescribeEvent(const Event& event) {
    std::wstring text = event.control + L"." + event.name + L"(";
    for (size_t i = 0; i < event.arguments.size(); ++i) {
        if (i > 0)
            text += L", ";
        const EventArgument& a = event.arguments[i];
        text += a.isText ? L"\"" + a.text + L"\"" : std::to_wstring(a.integer);
    }
    return text + L")";
}
