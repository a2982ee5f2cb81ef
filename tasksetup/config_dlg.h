// The task-configuration control: the snapshot with the drawing view on the
// left, the parameter panel on the right, and the scripting interface that
// loads a snapshot and reads and shows the task parameter string.
#pragma once

#include "TaskSetup.h"
#include "activex_control.h"
#include "forwarding_dialog.h"
#include "draw_roi_tripwire_view.h"
#include "right_panel.h"
#include "type_library.h"

#include <string>

class CConfigDlg final : public TypeLibDispatch<IConfigDlg>, public ActiveXControlBase {
public:
    // OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
    // OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST
    static constexpr DWORD kMiscStatus = 0x20191;

    // The class factory's way in.
    static HRESULT CreateInstance(REFIID riid, void** ppv);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    WINKIT_IUNKNOWN_REFCOUNT

    // IConfigDlg
    STDMETHODIMP Ocx_CreateConfigWnd(BSTR bstrFileUrl, BSTR bstrSrvIP) override;
    STDMETHODIMP Ocx_GetConfigData(BSTR* bstrData) override;
    STDMETHODIMP Ocx_SetConfigData(BSTR* bstrData, VARIANT_BOOL bEnable) override;
    STDMETHODIMP Ocx_ShowConfigData(UINT flowNumber, BSTR* bstrIP, VARIANT_BOOL bEnable) override;

    // For inspection by tests.
    CDrawROIAndTripWireView& View() { return m_view; }
    CRightPanel& Panel() { return m_panel; }
    HWND Window() const { return m_window.Hwnd(); }

private:
    CConfigDlg();
    ~CConfigDlg() override;

    HWND CreateControlWindow(HWND parent, const RECT& position) override;
    void DestroyControlWindow() override;
    HWND ControlWindow() const override { return m_window.Hwnd(); }
    SIZE NaturalPixelSize() const override;

    bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Layout();
    HRESULT LoadSnapshot(const std::wstring& fileUrl, const std::wstring& server);
    void ApplyRecords(const TaskParams& params, const RegionSetting& region,
                      const TripwireSetting& tripwire, bool enabled);

    ComRefCount m_refs;
    // Declared before the window so that the window goes first.
    CDrawROIAndTripWireView m_view;
    CRightPanel m_panel;
    // The control window, dialog 120: the panel and the view inside it.
    ForwardingDialog<CConfigDlg> m_window;
};
