// The page: a top-level window that embeds controls through the system's
// ActiveX container window class, runs a page script against them and
// reports what they do.
#pragma once

#include "com_base.h"
#include "event_sink.h"
#include "page_script.h"
#include "window.h"

#include <oaidl.h>
#include <ocidl.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class PageHost {
public:
    enum ExitCode { kOk = 0, kExpectationFailed = 1, kScriptError = 2, kSetupFailed = 4 };

    PageHost();
    ~PageHost();

    // Runs every command; stops at the first that fails.
    int Run(const std::vector<ScriptCommand>& commands);

private:
    struct HostedControl {
        std::wstring name;
        HWND container = nullptr; // the container window the control lives in
        ComPtr<IUnknown> control;
        ComPtr<IDispatch> dispatch;
        ComPtr<IConnectionPoint> connectionPoint;
        DWORD cookie = 0;
    };
    struct EventAnswer {
        std::wstring control, event;
        ScriptCommand call; // a "call" (values may hold $N) or "destroy" command
    };

    class PageWindow : public CustomWindow {
    protected:
        bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    };

    bool Execute(const ScriptCommand& command);
    bool EnsureContainer();
    bool EnsurePageWindow();
    bool Create(const ScriptCommand& command);
    bool Call(const ScriptCommand& command, const Event* trigger);
    bool ExpectEvent(const ScriptCommand& command);
    bool Mouse(const ScriptCommand& command);
    bool Press(const ScriptCommand& command);
    // Where a mouse command points: X Y, or a colour's first pixel and an offset.
    bool MousePoint(const ScriptCommand& command, const HostedControl& hosted, POINT& point);
    bool WaitColor(const ScriptCommand& command);
    // The first pixel of a colour in the window, rows from the top.
    static std::optional<POINT> FindColour(HWND window, uint32_t colour);
    bool Capture(const ScriptCommand& command);
    bool NavigateInner(const ScriptCommand& command);
    bool Register(const ScriptCommand& command);
    bool Destroy(const std::wstring& name);
    void ConnectEvents(HostedControl& hosted);
    void OnEvent(const Event& event);
    void Pump(DWORD milliseconds);
    HostedControl* Find(const std::wstring& name);
    bool Fail(const ScriptCommand& command, const std::wstring& message, int code);

    PageWindow m_page;
    int m_width = 800, m_height = 600;
    HMODULE m_atl = nullptr;
    std::wstring m_containerClass;
    HRESULT(WINAPI* m_atlAxGetControl)(HWND, IUnknown**) = nullptr;
    std::vector<std::unique_ptr<HostedControl>> m_controls;
    std::vector<EventAnswer> m_answers;
    std::deque<Event> m_events; // received and not yet expected
    HRESULT m_lastHr = S_OK;
    std::wstring m_lastRet;
    int m_exitCode = kOk;
};
