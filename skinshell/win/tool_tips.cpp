#include "tool_tips.h"

#include <commctrl.h>

CToolTips::CToolTips() = default;

CToolTips::~CToolTips() = default;

BOOL CToolTips::Create(HWND owner, DWORD style) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_window.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    return m_window ? TRUE : FALSE;
}

BOOL CToolTips::AddToolTip(UINT id, const RECT& rect, const wchar_t* text) {
    if (!m_window)
        return FALSE;
    HWND owner = GetWindow(m_window.Get(), GW_OWNER);
    if (owner == nullptr)
        owner = GetParent(m_window.Get());
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = id;
    SendMessageW(m_window.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.rect = rect;
    tool.lpszText = const_cast<wchar_t*>(text);
    return static_cast<BOOL>(
        SendMessageW(m_window.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
}
