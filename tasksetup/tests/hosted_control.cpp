#include "hosted_control.h"

#include "message_wait.h"

#include <gtest/gtest.h>

HostedConfigDlg::HostedConfigDlg(int width, int height) {
    m_oleStarted = SUCCEEDED(OleInitialize(nullptr));
    if (!m_page.Create(width, height))
        return;
    const RECT position = {0, 0, width, height};
    m_site = new TestControlSite(m_page.Hwnd(), position);
    ComPtr<IUnknown> control;
    if (FAILED(CConfigDlg::CreateInstance(IID_IUnknown, control.ReceiveVoid())))
        return;
    m_interface = control.As<IConfigDlg>();
    m_activated = SUCCEEDED(ActivateInSite(control.Get(), m_site, position)) && Window() != nullptr;
    PumpMessagesFor(20);
}

HostedConfigDlg::~HostedConfigDlg() {
    if (m_interface) {
        if (auto object = ComPtr<IConfigDlg>(m_interface).As<IOleObject>()) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
        m_interface.Reset();
    }
    if (m_site)
        m_site->Release();
    m_page.Destroy();
    if (m_oleStarted)
        OleUninitialize();
}

CConfigDlg& HostedConfigDlg::Control() {
    return *static_cast<CConfigDlg*>(m_interface.Get());
}

HWND HostedConfigDlg::Window() const {
    HWND window = nullptr;
    if (auto inPlace = ComPtr<IConfigDlg>(m_interface).As<IOleInPlaceObject>())
        inPlace->GetWindow(&window);
    return window;
}

void HostedConfigDlg::Resize(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(m_page.Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    const RECT position = {0, 0, width, height};
    if (auto inPlace = ComPtr<IConfigDlg>(m_interface).As<IOleInPlaceObject>())
        inPlace->SetObjectRects(&position, &position);
    PumpMessagesFor(20);
}

void HostedConfigDlg::MakeDrawingArea(int width, int height) {
    RECT panel;
    GetWindowRect(Control().Panel().Hwnd(), &panel);
    // The view keeps a margin of 10 pixels on each side of its area.
    Resize(width + 20 + (panel.right - panel.left), height + 20);
}

HRESULT HostedConfigDlg::Create(const std::wstring& fileUrl, const std::wstring& server) {
    OwnedBstr url(fileUrl), srv(server);
    return m_interface->Ocx_CreateConfigWnd(url.Get(), srv.Get());
}

std::wstring HostedConfigDlg::Get() {
    BSTR data = nullptr;
    EXPECT_EQ(S_OK, m_interface->Ocx_GetConfigData(&data));
    std::wstring text = data ? std::wstring(data, SysStringLen(data)) : L"<null>";
    SysFreeString(data);
    return text;
}

HRESULT HostedConfigDlg::Set(const std::wstring& data, VARIANT_BOOL enable) {
    OwnedBstr text(data);
    return m_interface->Ocx_SetConfigData(text.Address(), enable);
}

HRESULT HostedConfigDlg::Show(UINT flowNumber, const std::wstring& server, VARIANT_BOOL enable) {
    OwnedBstr host(server);
    return m_interface->Ocx_ShowConfigData(flowNumber, host.Address(), enable);
}
