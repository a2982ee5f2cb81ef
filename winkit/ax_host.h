// Hosting an ActiveX control inside a window someone else made (a dialog item
// that stands in for the control): the control is created by class
// identifier, activated in place to fill that window, follows its size, and is
// taken down with it. Our own container: nothing beyond the system's COM and
// OLE libraries is needed.
#pragma once

#include "ax_site.h"
#include "subclassed_window.h"

class AxHost : public SubclassedWindow {
public:
    AxHost() = default;
    ~AxHost() override;

    // Creates the control of clsid inside window (taking the window's
    // messages) and activates it in place. Any control held before is taken
    // down first.
    HRESULT CreateControl(HWND window, REFCLSID clsid);
    // Deactivates and closes the control, takes its site away and releases
    // it. Safe to call from inside one of the control's own calls: whoever
    // called us holds the control until it returns.
    void DestroyControl();

    bool HasControl() const { return static_cast<bool>(m_control); }
    template <class T> ComPtr<T> Control() const { return m_control.As<T>(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override { DestroyControl(); }

private:
    ComPtr<IOleObject> m_control;
    ComPtr<AxSite> m_site;
};

// The control hosted in window by an AxHost (of any module in this process),
// or null. Tools that drive a page use it to reach controls inside controls.
ComPtr<IUnknown> HostedControlOf(HWND window);
