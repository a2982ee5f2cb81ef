// Calling a control the way script does, and receiving its events, in tests.
#pragma once

#include "com_base.h"
#include "untyped_dispatch.h"

#include <oaidl.h>
#include <ocidl.h>

#include <string>
#include <variant>
#include <vector>

using ScriptArgument = std::variant<long, std::wstring>;

struct ScriptCallResult {
    HRESULT hr = E_FAIL;
    VARIANT value; // owned; cleared by the destructor
    EXCEPINFO exception = {};
    ScriptCallResult() { VariantInit(&value); }
    ~ScriptCallResult();
    ScriptCallResult(const ScriptCallResult&) = delete;
    ScriptCallResult& operator=(const ScriptCallResult&) = delete;
    // The returned text, or "<type N>" when the value is no string.
    std::wstring Text() const;
};

// Invokes dispid as a method with the arguments in declaration order.
void CallByDispid(IDispatch* object, DISPID dispid, const std::vector<ScriptArgument>& arguments,
                  ScriptCallResult& result);
// Looks the name up with GetIDsOfNames first; E_FAIL-like hr when unknown.
void CallByName(IDispatch* object, const wchar_t* name,
                const std::vector<ScriptArgument>& arguments, ScriptCallResult& result);

// An event sink that records every call: (dispid, arguments in declaration
// order as integers). Can be told to fail its Invoke.
class RecordingSink final : public UntypedDispatch<> {
public:
    struct Call {
        DISPID dispid;
        std::vector<long> arguments;
        LCID locale;
        WORD flags;
        UINT namedArguments;
    };

    explicit RecordingSink(const IID& eventInterface, HRESULT answer = S_OK)
        : m_iid(eventInterface), m_answer(answer) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    WINKIT_IUNKNOWN_REFCOUNT
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO*, UINT*) override;

    std::vector<Call> calls;
    // Shared order of arrival across sinks: each Invoke appends (this, dispid).
    std::vector<std::pair<const RecordingSink*, DISPID>>* order = nullptr;

private:
    ComRefCount m_refs;
    IID m_iid;
    HRESULT m_answer;
};
