#include "dispatch_helpers.h"

ScriptCallResult::~ScriptCallResult() {
    VariantClear(&value);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

std::wstring ScriptCallResult::Text() const {
    if (value.vt == VT_BSTR)
        return value.bstrVal ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) : L"";
    return L"<type " + std::to_wstring(value.vt) + L">";
}

void CallByDispid(IDispatch* object, DISPID dispid, const std::vector<ScriptArgument>& arguments,
                  ScriptCallResult& result) {
    std::vector<VARIANT> args(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) {
        VARIANT& v = args[arguments.size() - 1 - i]; // last argument first
        VariantInit(&v);
        if (const long* number = std::get_if<long>(&arguments[i])) {
            v.vt = VT_I4;
            v.lVal = *number;
        } else {
            const std::wstring& text = std::get<std::wstring>(arguments[i]);
            v.vt = VT_BSTR;
            v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        }
    }
    DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    UINT argError = 0;
    result.hr = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                               &result.value, &result.exception, &argError);
    for (VARIANT& v : args)
        VariantClear(&v);
}

void CallByName(IDispatch* object, const wchar_t* name,
                const std::vector<ScriptArgument>& arguments, ScriptCallResult& result) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    DISPID dispid = DISPID_UNKNOWN;
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(result.hr))
        return;
    CallByDispid(object, dispid, arguments, result);
}

STDMETHODIMP RecordingSink::QueryInterface(REFIID riid, void** ppv) {
    if (ppv && IsEqualIID(riid, m_iid)) {
        AddRef();
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    return QueryInterfaceFromTable(riid, ppv, {Entry<IDispatch>(this)});
}

STDMETHODIMP RecordingSink::Invoke(DISPID dispid, REFIID, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) {
    Call call{dispid, {}, locale, flags, params ? params->cNamedArgs : 0};
    for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
        const VARIANT& v = params->rgvarg[i - 1];
        call.arguments.push_back(v.vt == VT_I4 ? v.lVal : -999999);
    }
    calls.push_back(call);
    if (order)
        order->emplace_back(this, dispid);
    if (result) {
        // Leave something the caller must clear.
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(L"sink result");
    }
    return m_answer;
}
