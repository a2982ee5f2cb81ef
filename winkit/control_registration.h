// Self-registration of an in-process ActiveX control and its type library.
#pragma once

#include <windows.h>

#include <string>

struct ControlClassRegistration {
    const CLSID* clsid;
    const GUID* libid;
    const wchar_t* description; // the class key's default value
    const wchar_t* version;     // "1.0"
    DWORD miscStatus;           // written under MiscStatus\1
    int toolboxBitmapId;        // resource id of the toolbox bitmap
};

// Writes the class under the machine's or the current user's classes root,
// replacing whatever the class key held, and registers the module's type
// library (resource 1). On failure nothing of the class stays behind.
HRESULT RegisterControlClass(const ControlClassRegistration& control, HMODULE module, bool perUser);
// Removes the class key and the type library registration.
HRESULT UnregisterControlClass(const ControlClassRegistration& control, HMODULE module,
                               bool perUser);

// DllInstall of a control: registers (install) or unregisters the class for
// the current user when the command line is "user" (any case), otherwise for
// the machine. A failed registration leaves nothing behind.
HRESULT InstallControlClass(const ControlClassRegistration& control, HMODULE module, BOOL install,
                            LPCWSTR commandLine);
