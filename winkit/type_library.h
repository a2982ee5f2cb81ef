// IDispatch through the type library embedded in our own module (resource
// TYPELIB 1), so scripts get optional parameters with defaults, retval
// results and argument coercion exactly as the library declares them.
#pragma once

#include "com_base.h"

#include <oaidl.h>

// The type library of module.
HRESULT LoadModuleTypeLib(HMODULE module, ComPtr<ITypeLib>& library);

// The type information for guid in module's library. For a dual interface
// pass vtableHalf = true to get the interface half that DispInvoke calls.
HRESULT LoadModuleTypeInfo(HMODULE module, REFGUID guid, bool vtableHalf, ComPtr<ITypeInfo>& info);

// Implements the IDispatch methods of Interface (a dual interface declared in
// the module's type library) with DispGetIDsOfNames and DispInvoke.
template <class Interface> class TypeLibDispatch : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        const HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        *info = ComPtr<ITypeInfo>(m_typeInfo).Detach();
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                               DISPID* dispids) override {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        const HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        return DispGetIDsOfNames(m_typeInfo.Get(), names, count, dispids);
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        const HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        return DispInvoke(static_cast<Interface*>(this), m_typeInfo.Get(), dispid, flags, params,
                          result, exception, argError);
    }

protected:
    explicit TypeLibDispatch(HMODULE module) : m_module(module) {}

private:
    HRESULT EnsureTypeInfo() {
        if (m_typeInfo)
            return S_OK;
        return LoadModuleTypeInfo(m_module, __uuidof(Interface), true, m_typeInfo);
    }

    HMODULE m_module;
    ComPtr<ITypeInfo> m_typeInfo;
};
