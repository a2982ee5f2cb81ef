// The DLL's entry points: COM class objects, self-registration, and the
// crash reporter that every notification of the entry point loads.
#include "ResultPane.h"
#include "control_registration.h"
#include "module_path.h"
#include "resource.h"
#include "result_pane.h"

namespace {

const ControlClassRegistration kRegistration = {
    &CLSID_CResultPane, &LIBID_ResultPaneLib, L"CResultPane Class", L"1.0", 0x20191,
    IDB_RESULTPANE};

// crash.dll installs crash reporting for the process by being loaded. Its
// handle is not kept, and a missing library is no error.
void LoadCrashReporter(HMODULE self) {
    const std::wstring path = ModuleFolder(self) + L"\\crash.dll";
    LoadLibraryW(path.c_str());
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    LoadCrashReporter(instance);
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    return ModuleCanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    return GetClassObjectFor<CResultPane>(clsid, CLSID_CResultPane, riid, ppv);
}

STDAPI DllRegisterServer() {
    return RegisterControlClass(kRegistration, ThisModule(), false);
}

STDAPI DllUnregisterServer() {
    return UnregisterControlClass(kRegistration, ThisModule(), false);
}

// "user" (any case) registers for the current user only.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    const bool perUser = commandLine != nullptr && _wcsicmp(commandLine, L"user") == 0;
    if (!install)
        return UnregisterControlClass(kRegistration, ThisModule(), perUser);
    const HRESULT hr = RegisterControlClass(kRegistration, ThisModule(), perUser);
    if (FAILED(hr))
        UnregisterControlClass(kRegistration, ThisModule(), perUser);
    return hr;
}
