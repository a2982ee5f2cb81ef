#include "type_library.h"

#include "module_path.h"

HRESULT LoadModuleTypeLib(HMODULE module, ComPtr<ITypeLib>& library) {
    const std::wstring path = ModuleFilePath(module);
    if (path.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Receive());
}

HRESULT LoadModuleTypeInfo(HMODULE module, REFGUID guid, bool vtableHalf, ComPtr<ITypeInfo>& info) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadModuleTypeLib(module, library);
    if (FAILED(hr))
        return hr;
    ComPtr<ITypeInfo> found;
    hr = library->GetTypeInfoOfGuid(guid, found.Receive());
    if (FAILED(hr))
        return hr;
    if (vtableHalf) {
        // A dual interface is described twice; DispInvoke needs the vtable half.
        HREFTYPE vtable = 0;
        ComPtr<ITypeInfo> half;
        if (SUCCEEDED(found->GetRefTypeOfImplType(-1, &vtable)) &&
            SUCCEEDED(found->GetRefTypeInfo(vtable, half.Receive())))
            found = half;
    }
    info = found;
    return S_OK;
}
