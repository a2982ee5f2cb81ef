// The DLL's entry points: the COM class object and self-registration.
#include "TaskSetup.h"
#include "config_dlg.h"
#include "control_registration.h"
#include "module_path.h"
#include "resource.h"

namespace {

const ControlClassRegistration kRegistration = {&CLSID_ConfigDlg,        &LIBID_TaskSetupLib,
                                                L"ConfigDlg Class",      L"1.0",
                                                CConfigDlg::kMiscStatus, IDB_CONFIGDLG};

} // namespace

STDAPI DllCanUnloadNow() {
    return ModuleCanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    return GetClassObjectFor<CConfigDlg>(clsid, CLSID_ConfigDlg, riid, ppv);
}

STDAPI DllRegisterServer() {
    return RegisterControlClass(kRegistration, ThisModule(), false);
}

STDAPI DllUnregisterServer() {
    return UnregisterControlClass(kRegistration, ThisModule(), false);
}

// "user" (any case) registers for the current user only.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    return InstallControlClass(kRegistration, ThisModule(), install, commandLine);
}
