#include "skin_shell_app.h"

CSkinShellApp::CSkinShellApp() = default;

CSkinShellApp::~CSkinShellApp() = default;

BOOL CSkinShellApp::InitInstance() {
    return TRUE;
}

namespace {

CSkinShellApp theApp;

} // namespace
