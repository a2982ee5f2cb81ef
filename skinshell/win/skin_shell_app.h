// CSkinShellApp: the library's application object. It has no behaviour of
// its own; the library holds one.
#pragma once

#include "skinshell_api.h"

#include <windows.h>

class SKINSHELL_API CSkinShellApp {
public:
    CSkinShellApp();
    virtual ~CSkinShellApp();
    CSkinShellApp(const CSkinShellApp&) = delete;
    CSkinShellApp& operator=(const CSkinShellApp&) = delete;

    virtual BOOL InitInstance();
};
