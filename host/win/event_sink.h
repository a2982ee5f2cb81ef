// Receives a hosted control's events the way a page's handlers do: every
// call to the control's default source interface becomes an Event.
#pragma once

#include "com_base.h"

#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

struct EventArgument {
    bool isText = false;
    long long integer = 0;
    std::wstring text;
};

struct Event {
    std::wstring control;
    std::wstring name;
    std::vector<EventArgument> arguments; // in declaration order
};

class EventSink final : public IDispatch {
public:
    using Handler = std::function<void(const Event&)>;

    // names describes the event interface (for the events' names).
    EventSink(std::wstring control, const IID& eventInterface, ComPtr<ITypeInfo> names,
              Handler handler);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO*, UINT*) override;

private:
    ComRefCount m_refs;
    std::wstring m_control;
    IID m_iid;
    ComPtr<ITypeInfo> m_names;
    Handler m_handler;
};

std::wstring DescribeEvent(const Event& event);
