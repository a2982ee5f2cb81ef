// The IDispatch methods of an object that describes itself with no type
// information: event sinks, and objects that resolve names themselves
// (those override GetIDsOfNames). The object still implements Invoke.
#pragma once

#include <oaidl.h>

template <class Interface = IDispatch> class UntypedDispatch : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
};
