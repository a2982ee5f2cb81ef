#include "control_registration.h"

#include "com_base.h"
#include "module_path.h"
#include "registry.h"
#include "type_library.h"

#include <oleauto.h>

// oleaut32 exports these, but the headers at hand do not declare them.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path,
                                                 OLECHAR* helpDir);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID lcid,
                                                   SYSKIND syskind);

namespace {

std::wstring ClassKeyPath(const ClassesRoot& root, const CLSID& clsid) {
    return root.prefix + L"CLSID\\" + GuidText(clsid);
}

HRESULT WriteDefault(HKEY parent, const std::wstring& subkey, const std::wstring* value) {
    RegistryKey key;
    LSTATUS status = key.Create(parent, subkey);
    if (status == ERROR_SUCCESS && value != nullptr)
        status = key.SetString(L"", *value);
    return HRESULT_FROM_WIN32(status);
}

HRESULT WriteClassKeys(const ControlClassRegistration& control, HMODULE module,
                       const ClassesRoot& root) {
    const std::wstring path = ModuleFilePath(module);
    const std::wstring classKey = ClassKeyPath(root, *control.clsid);
    // The class key is rebuilt from nothing so no stale subkey survives.
    DeleteKeyTree(root.key, classKey);

    RegistryKey key;
    HRESULT hr = HRESULT_FROM_WIN32(key.Create(root.key, classKey));
    if (FAILED(hr))
        return hr;
    hr = HRESULT_FROM_WIN32(key.SetString(L"", control.description));
    if (FAILED(hr))
        return hr;

    const std::wstring inproc = path;
    const std::wstring bitmap = path + L", " + std::to_wstring(control.toolboxBitmapId);
    const std::wstring zero = L"0";
    const std::wstring misc = std::to_wstring(control.miscStatus);
    const std::wstring libid = GuidText(*control.libid);
    const std::wstring version = control.version;
    const struct {
        const wchar_t* name;
        const std::wstring* value;
    } subkeys[] = {
        {L"Programmable", nullptr},    {L"InprocServer32", &inproc}, {L"Control", nullptr},
        {L"ToolboxBitmap32", &bitmap}, {L"MiscStatus", &zero},       {L"MiscStatus\\1", &misc},
        {L"TypeLib", &libid},          {L"Version", &version},
    };
    for (const auto& subkey : subkeys) {
        hr = WriteDefault(key.Get(), subkey.name, subkey.value);
        if (FAILED(hr))
            return hr;
    }
    RegistryKey server;
    hr = HRESULT_FROM_WIN32(server.Open(key.Get(), L"InprocServer32", KEY_WRITE));
    if (SUCCEEDED(hr))
        hr = HRESULT_FROM_WIN32(server.SetString(L"ThreadingModel", L"Apartment"));
    return hr;
}

HRESULT RegisterTypeLibrary(HMODULE module, bool perUser) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadModuleTypeLib(module, library);
    if (FAILED(hr))
        return hr;
    std::wstring path = ModuleFilePath(module);
    return perUser ? RegisterTypeLibForUser(library.Get(), path.data(), nullptr)
                   : RegisterTypeLib(library.Get(), path.data(), nullptr);
}

HRESULT UnregisterTypeLibrary(HMODULE module, bool perUser) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadModuleTypeLib(module, library);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    const TLIBATTR copy = *attributes;
    library->ReleaseTLibAttr(attributes);
    // Not registered is as good as unregistered.
    const ClassesRoot root = ClassesRootFor(perUser);
    RegistryKey registered;
    if (registered.Open(root.key, root.prefix + L"TypeLib\\" + GuidText(copy.guid) + L"\\" +
                                      std::to_wstring(copy.wMajorVerNum) + L"." +
                                      std::to_wstring(copy.wMinorVerNum)) != ERROR_SUCCESS)
        return S_OK;
    registered.Close();
    hr = perUser ? UnRegisterTypeLibForUser(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum,
                                            copy.lcid, copy.syskind)
                 : UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid,
                                     copy.syskind);
    return hr;
}

} // namespace

HRESULT RegisterControlClass(const ControlClassRegistration& control, HMODULE module,
                             bool perUser) {
    const ClassesRoot root = ClassesRootFor(perUser);
    HRESULT hr = WriteClassKeys(control, module, root);
    if (SUCCEEDED(hr))
        hr = RegisterTypeLibrary(module, perUser);
    if (FAILED(hr))
        DeleteKeyTree(root.key, ClassKeyPath(root, *control.clsid));
    return hr;
}

HRESULT UnregisterControlClass(const ControlClassRegistration& control, HMODULE module,
                               bool perUser) {
    const ClassesRoot root = ClassesRootFor(perUser);
    const HRESULT typeLib = UnregisterTypeLibrary(module, perUser);
    const LSTATUS status = DeleteKeyTree(root.key, ClassKeyPath(root, *control.clsid));
    if (status != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(status);
    return typeLib;
}

HRESULT InstallControlClass(const ControlClassRegistration& control, HMODULE module, BOOL install,
                            LPCWSTR commandLine) {
    const bool perUser = commandLine != nullptr && _wcsicmp(commandLine, L"user") == 0;
    if (!install)
        return UnregisterControlClass(control, module, perUser);
    const HRESULT hr = RegisterControlClass(control, module, perUser);
    if (FAILED(hr))
        UnregisterControlClass(control, module, perUser);
    return hr;
}
