// The configuration control held in-process and activated in a test page
// window, as a page's container does.
#pragma once

#include "TaskSetup.h"
#include "bstr.h"
#include "config_dlg.h"
#include "control_site.h"

#include <string>

class HostedConfigDlg {
public:
    HostedConfigDlg(int width, int height);
    ~HostedConfigDlg();
    HostedConfigDlg(const HostedConfigDlg&) = delete;
    HostedConfigDlg& operator=(const HostedConfigDlg&) = delete;

    bool Ok() const { return m_activated; }
    CConfigDlg& Control();
    IConfigDlg* Interface() const { return m_interface.Get(); }
    HWND Window() const;
    HWND Page() const { return m_page.Hwnd(); }
    // Gives the control the size of a control w x h pixels on the page.
    void Resize(int width, int height);
    // Lays the control out so that the drawing area is exactly w x h pixels.
    void MakeDrawingArea(int width, int height);

    // The scripting methods with plain text arguments.
    HRESULT Create(const std::wstring& fileUrl, const std::wstring& server);
    std::wstring Get();
    HRESULT Set(const std::wstring& data, VARIANT_BOOL enable = VARIANT_TRUE);
    HRESULT Show(UINT flowNumber, const std::wstring& server, VARIANT_BOOL enable = VARIANT_TRUE);

private:
    bool m_oleStarted = false;
    TestParentWindow m_page;
    TestControlSite* m_site = nullptr;
    ComPtr<IConfigDlg> m_interface;
    bool m_activated = false;
};
