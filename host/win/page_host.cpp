#include "page_host.h"

#include "ax_host.h"
#include "image.h"
#include "console_output.h"
#include "proc_address.h"

#include <exdisp.h>

#include <cwchar>
#include <optional>

namespace {

std::wstring Hex(HRESULT hr) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::wstring VariantText(const VARIANT& value) {
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return L"";
    VARIANT copy;
    VariantInit(&copy);
    std::wstring text;
    if (SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(&value), 0, VT_BSTR)) &&
        copy.bstrVal)
        text = copy.bstrVal;
    VariantClear(&copy);
    return text;
}

// Owns the argument variants of one call.
class CallArguments {
public:
    ~CallArguments() {
        for (VARIANT& v : m_values)
            VariantClear(&v);
    }
    void AddInteger(long long value) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(value);
        m_values.push_back(v);
    }
    void AddText(const std::wstring& text) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        m_values.push_back(v);
    }
    // Automation wants the last argument first.
    DISPPARAMS Params() {
        m_reversed.assign(m_values.rbegin(), m_values.rend());
        return DISPPARAMS{m_reversed.data(), nullptr, static_cast<UINT>(m_reversed.size()), 0};
    }
    std::wstring Describe() const {
        std::wstring text;
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (i > 0)
                text += L", ";
            text += m_values[i].vt == VT_BSTR ? L"\"" + std::wstring(m_values[i].bstrVal) + L"\""
                                              : std::to_wstring(m_values[i].lVal);
        }
        return text;
    }

private:
    std::vector<VARIANT> m_values;
    std::vector<VARIANT> m_reversed;
};

std::vector<HWND> g_descendants; // filled by CollectDescendant

BOOL CALLBACK CollectDescendant(HWND window, LPARAM) {
    g_descendants.push_back(window);
    return TRUE;
}

// The first web browser a control hosts in a window of its own.
ComPtr<IWebBrowser2> InnerBrowser(HWND container) {
    g_descendants.clear();
    EnumChildWindows(container, CollectDescendant, 0);
    const std::vector<HWND> windows = g_descendants;
    for (HWND window : windows)
        if (auto browser = HostedControlOf(window).As<IWebBrowser2>())
            return browser;
    return nullptr;
}

bool ParseGuid(const std::wstring& text, CLSID& clsid) {
    std::wstring copy = text;
    return SUCCEEDED(CLSIDFromString(copy.data(), &clsid));
}

} // namespace

PageHost::PageHost() = default;

PageHost::~PageHost() {
    while (!m_controls.empty())
        Destroy(m_controls.back()->name);
    m_page.Destroy();
}

bool PageHost::PageWindow::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_CLOSE) {
        result = 0;
        return true; // only the script ends the page
    }
    return false;
}

bool PageHost::Fail(const ScriptCommand& command, const std::wstring& message, int code) {
    PrintLine(L"FAILED line " + std::to_wstring(command.line) + L" (" + command.verb + L"): " +
              message);
    m_exitCode = code;
    return false;
}

int PageHost::Run(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands)
        if (!Execute(command))
            return m_exitCode;
    return m_exitCode;
}

bool PageHost::EnsureContainer() {
    if (m_atl)
        return true;
    // The system's ActiveX container window class, as a page's browser has it.
    static const struct {
        const wchar_t* dll;
        const wchar_t* windowClass;
    } kContainers[] = {{L"atl100.dll", L"AtlAxWin100"},
                       {L"atl110.dll", L"AtlAxWin110"},
                       {L"atl.dll", L"AtlAxWin"}};
    for (const auto& candidate : kContainers) {
        HMODULE atl = LoadLibraryW(candidate.dll);
        if (atl == nullptr)
            continue;
        auto init = GetProc<BOOL(WINAPI*)()>(atl, "AtlAxWinInit");
        auto getControl = GetProc<HRESULT(WINAPI*)(HWND, IUnknown**)>(atl, "AtlAxGetControl");
        if (init && getControl && init()) {
            m_atl = atl;
            m_containerClass = candidate.windowClass;
            m_atlAxGetControl = getControl;
            return true;
        }
        FreeLibrary(atl);
    }
    return false;
}

bool PageHost::EnsurePageWindow() {
    if (m_page.Exists())
        return true;
    RECT frame = {0, 0, m_width, m_height};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    OffsetRect(&frame, 20 - frame.left, 20 - frame.top);
    if (!m_page.Create(L"VideoRetrievalPage", style, 0, frame, nullptr, L"Video retrieval page",
                       CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
        return false;
    ShowWindow(m_page.Hwnd(), SW_SHOW);
    UpdateWindow(m_page.Hwnd());
    return true;
}

PageHost::HostedControl* PageHost::Find(const std::wstring& name) {
    for (auto& hosted : m_controls)
        if (hosted->name == name)
            return hosted.get();
    return nullptr;
}

bool PageHost::Execute(const ScriptCommand& c) {
    const std::wstring& verb = c.verb;
    if (verb == L"timeout" || verb == L"print") {
        if (verb == L"print") {
            std::wstring text;
            for (const std::wstring& word : c.words)
                text += (text.empty() ? L"" : L" ") + word;
            PrintLine(text);
        }
        return true; // the watchdog was set up from the script before running
    }
    if (verb == L"window") {
        if (c.values[0].kind != ScriptValue::Kind::Integer ||
            c.values[1].kind != ScriptValue::Kind::Integer)
            return Fail(c, L"window needs a width and a height", kScriptError);
        m_width = static_cast<int>(c.values[0].integer);
        m_height = static_cast<int>(c.values[1].integer);
        if (m_page.Exists()) {
            RECT frame = {0, 0, m_width, m_height};
            AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
            SetWindowPos(m_page.Hwnd(), nullptr, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
        }
        return true;
    }
    if (verb == L"register")
        return Register(c);
    if (verb == L"create")
        return Create(c);
    if (verb == L"call")
        return Call(c, nullptr);
    if (verb == L"expect-hr") {
        if (c.values[0].kind != ScriptValue::Kind::Integer)
            return Fail(c, L"expect-hr needs a number", kScriptError);
        const HRESULT wanted = static_cast<HRESULT>(static_cast<uint32_t>(c.values[0].integer));
        if (m_lastHr != wanted)
            return Fail(c, L"HRESULT " + Hex(m_lastHr) + L", expected " + Hex(wanted),
                        kExpectationFailed);
        return true;
    }
    if (verb == L"expect-ret") {
        if (m_lastRet != c.words[0])
            return Fail(c, L"returned \"" + m_lastRet + L"\", expected \"" + c.words[0] + L"\"",
                        kExpectationFailed);
        return true;
    }
    if (verb == L"on") {
        const bool call = c.words[2] == L"call" && c.words.size() >= 5;
        if (!call && c.words[2] != L"destroy")
            return Fail(c, L"on NAME EVENT call NAME METHOD ARG... | destroy NAME", kScriptError);
        EventAnswer answer{c.words[0], c.words[1], c};
        answer.call.verb = c.words[2];
        answer.call.words.erase(answer.call.words.begin(), answer.call.words.begin() + 3);
        answer.call.values.erase(answer.call.values.begin(), answer.call.values.begin() + 3);
        m_answers.push_back(std::move(answer));
        return true;
    }
    if (verb == L"expect-event")
        return ExpectEvent(c);
    if (verb == L"wait") {
        if (c.values[0].kind != ScriptValue::Kind::Integer || c.values[0].integer < 0)
            return Fail(c, L"wait needs milliseconds", kScriptError);
        Pump(static_cast<DWORD>(c.values[0].integer));
        return true;
    }
    if (verb == L"wait-color")
        return WaitColor(c);
    if (verb == L"click" || verb == L"dblclick" || verb == L"rclick")
        return Mouse(c);
    if (verb == L"press")
        return Press(c);
    if (verb == L"capture")
        return Capture(c);
    if (verb == L"navigate")
        return NavigateInner(c);
    if (verb == L"destroy") {
        if (!Destroy(c.words[0]))
            return Fail(c, L"no control named " + c.words[0], kScriptError);
        return true;
    }
    return Fail(c, L"unknown command", kScriptError);
}

bool PageHost::Register(const ScriptCommand& c) {
    HMODULE dll = LoadLibraryW(c.words[0].c_str());
    if (dll == nullptr)
        return Fail(c, L"cannot load " + c.words[0], kSetupFailed);
    auto registerServer = GetProc<HRESULT(STDAPICALLTYPE*)()>(dll, "DllRegisterServer");
    const HRESULT hr = registerServer ? registerServer() : E_NOINTERFACE;
    FreeLibrary(dll);
    PrintLine(L"register " + c.words[0] + L" -> " + Hex(hr));
    if (FAILED(hr))
        return Fail(c, L"registration failed", kSetupFailed);
    return true;
}

bool PageHost::Create(const ScriptCommand& c) {
    const std::wstring& name = c.words[0];
    CLSID clsid;
    if (Find(name))
        return Fail(c, L"a control named " + name + L" exists", kScriptError);
    if (!ParseGuid(c.words[1], clsid))
        return Fail(c, L"not a class identifier: " + c.words[1], kScriptError);
    int box[4];
    for (int i = 0; i < 4; ++i) {
        if (c.values[2 + i].kind != ScriptValue::Kind::Integer)
            return Fail(c, L"create NAME CLSID X Y W H", kScriptError);
        box[i] = static_cast<int>(c.values[2 + i].integer);
    }
    if (!EnsurePageWindow() || !EnsureContainer())
        return Fail(c, L"no ActiveX container available", kSetupFailed);

    auto hosted = std::make_unique<HostedControl>();
    hosted->name = name;
    hosted->container =
        CreateWindowExW(0, m_containerClass.c_str(), c.words[1].c_str(),
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, box[0], box[1],
                        box[2], box[3], m_page.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hosted->container == nullptr)
        return Fail(c, L"the container window was not created", kSetupFailed);
    if (FAILED(m_atlAxGetControl(hosted->container, hosted->control.Receive())) ||
        !hosted->control) {
        DestroyWindow(hosted->container);
        return Fail(c, L"the control was not created (is it registered?)", kSetupFailed);
    }
    hosted->dispatch = hosted->control.As<IDispatch>();
    ConnectEvents(*hosted);
    PrintLine(L"create " + name + L" " + c.words[1] + L" -> ok");
    m_controls.push_back(std::move(hosted));
    Pump(50);
    return true;
}

void PageHost::ConnectEvents(HostedControl& hosted) {
    auto classInfo2 = hosted.control.As<IProvideClassInfo2>();
    IID source = IID_NULL;
    if (!classInfo2 || FAILED(classInfo2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source)))
        return;
    // The event interface's description gives the events' names.
    ComPtr<ITypeInfo> names;
    ComPtr<ITypeInfo> coclass;
    if (SUCCEEDED(classInfo2->GetClassInfo(coclass.Receive()))) {
        ComPtr<ITypeLib> library;
        UINT index = 0;
        if (SUCCEEDED(coclass->GetContainingTypeLib(library.Receive(), &index)))
            library->GetTypeInfoOfGuid(source, names.Receive());
    }
    auto container = hosted.control.As<IConnectionPointContainer>();
    if (!container ||
        FAILED(container->FindConnectionPoint(source, hosted.connectionPoint.Receive())))
        return;
    auto* sink = new EventSink(hosted.name, source, names, [this](const Event& e) { OnEvent(e); });
    hosted.connectionPoint->Advise(static_cast<IDispatch*>(sink), &hosted.cookie);
    sink->Release();
}

void PageHost::OnEvent(const Event& event) {
    PrintLine(L"event " + DescribeEvent(event));
    m_events.push_back(event);
    // A copy: an answer may remove the control, and the answers with it.
    const std::vector<EventAnswer> answers = m_answers;
    for (const EventAnswer& answer : answers) {
        if (answer.control != event.control || answer.event != event.name)
            continue;
        if (answer.call.verb == L"destroy") {
            PrintLine(L"destroy " + answer.call.words[0]);
            Destroy(answer.call.words[0]);
        } else {
            Call(answer.call, &event);
        }
    }
}

bool PageHost::Call(const ScriptCommand& c, const Event* trigger) {
    HostedControl* hosted = Find(c.words[0]);
    if (hosted == nullptr || !hosted->dispatch)
        return Fail(c, L"no scriptable control named " + c.words[0], kScriptError);
    std::wstring method = c.words[1];
    DISPID dispid = 0;
    LPOLESTR names[] = {method.data()};
    HRESULT hr = hosted->dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
        return Fail(c, L"no method " + method + L" (" + Hex(hr) + L")", kScriptError);

    CallArguments arguments;
    for (size_t i = 2; i < c.values.size(); ++i) {
        const ScriptValue& value = c.values[i];
        switch (value.kind) {
        case ScriptValue::Kind::Integer:
            arguments.AddInteger(value.integer);
            break;
        case ScriptValue::Kind::EventArgument: {
            if (trigger == nullptr ||
                value.eventArgument > static_cast<int>(trigger->arguments.size()))
                return Fail(c,
                            L"$" + std::to_wstring(value.eventArgument) + L" has no event argument",
                            kScriptError);
            const EventArgument& a = trigger->arguments[value.eventArgument - 1];
            if (a.isText)
                arguments.AddText(a.text);
            else
                arguments.AddInteger(a.integer);
            break;
        }
        default: {
            // Text may carry $N too, as a page builds its parameter texts.
            std::wstring text = value.text;
            if (trigger != nullptr) {
                for (size_t n = trigger->arguments.size(); n >= 1; --n) {
                    const std::wstring mark = L"$" + std::to_wstring(n);
                    const EventArgument& a = trigger->arguments[n - 1];
                    const std::wstring with = a.isText ? a.text : std::to_wstring(a.integer);
                    for (size_t at = text.find(mark); at != std::wstring::npos;
                         at = text.find(mark, at + with.size()))
                        text.replace(at, mark.size(), with);
                }
            }
            arguments.AddText(text);
            break;
        }
        }
    }
    DISPPARAMS params = arguments.Params();
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argError = 0;
    hr = hosted->dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                  &result, &exception, &argError);
    // A failure the method returns reaches script as an exception carrying
    // the method's HRESULT: that is the code a page's script sees.
    std::wstring raised;
    if (hr == DISP_E_EXCEPTION && exception.scode != 0) {
        raised = L" (exception " + Hex(hr) + L")";
        hr = exception.scode;
    }
    m_lastHr = hr;
    m_lastRet = VariantText(result);
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    PrintLine(L"call " + c.words[0] + L"." + method + L"(" + arguments.Describe() + L") -> " +
              Hex(hr) + raised + L" \"" + m_lastRet + L"\"");
    return true;
}

bool PageHost::ExpectEvent(const ScriptCommand& c) {
    DWORD timeout = 5000;
    size_t firstArgument = 2;
    if (c.values.size() > 2 && c.values[2].kind == ScriptValue::Kind::Integer) {
        timeout = static_cast<DWORD>(c.values[2].integer);
        firstArgument = 3;
    }
    const auto matches = [&](const Event& e) {
        if (e.control != c.words[0] || e.name != c.words[1])
            return false;
        for (size_t i = firstArgument; i < c.values.size(); ++i) {
            const size_t n = i - firstArgument;
            if (c.values[i].kind == ScriptValue::Kind::Any)
                continue;
            if (n >= e.arguments.size())
                return false;
            const EventArgument& a = e.arguments[n];
            if (c.values[i].kind == ScriptValue::Kind::Integer
                    ? (a.isText || a.integer != c.values[i].integer)
                    : (!a.isText || a.text != c.values[i].text))
                return false;
        }
        return true;
    };
    const DWORD start = GetTickCount();
    for (;;) {
        for (auto it = m_events.begin(); it != m_events.end(); ++it) {
            if (matches(*it)) {
                m_events.erase(m_events.begin(), it + 1);
                return true;
            }
        }
        if (GetTickCount() - start >= timeout)
            return Fail(c,
                        L"no matching " + c.words[1] + L" event within " +
                            std::to_wstring(timeout) + L" ms",
                        kExpectationFailed);
        Pump(20);
    }
}

bool PageHost::Mouse(const ScriptCommand& c) {
    HostedControl* hosted = Find(c.words[0]);
    if (hosted == nullptr)
        return Fail(c, L"no control named " + c.words[0], kScriptError);
    POINT point = {};
    if (!MousePoint(c, *hosted, point))
        return false;
    // The deepest visible window under the point gets the mouse, as on
    // screen: a child that calls itself see-through there (a plain label)
    // leaves it to its parent.
    HWND target = hosted->container;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (child == nullptr || child == target)
            break;
        POINT screen = point;
        ClientToScreen(target, &screen);
        if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT)
            break;
        MapWindowPoints(target, child, &point, 1);
        target = child;
    }
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    if (c.verb == L"rclick") {
        PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageW(target, WM_RBUTTONUP, 0, at);
    } else {
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(target, WM_LBUTTONUP, 0, at);
        if (c.verb == L"dblclick") {
            PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageW(target, WM_LBUTTONUP, 0, at);
        }
    }
    Pump(50);
    return true;
}

bool PageHost::Press(const ScriptCommand& c) {
    HostedControl* hosted = Find(c.words[0]);
    if (hosted == nullptr)
        return Fail(c, L"no control named " + c.words[0], kScriptError);
    if (c.values[1].kind != ScriptValue::Kind::Integer)
        return Fail(c, L"needs a control id", kScriptError);
    g_descendants.clear();
    EnumChildWindows(hosted->container, CollectDescendant, 0);
    HWND button = nullptr;
    for (HWND window : g_descendants) {
        if (GetDlgCtrlID(window) == static_cast<int>(c.values[1].integer) &&
            IsWindowVisible(window)) {
            button = window;
            break;
        }
    }
    if (button == nullptr)
        return Fail(c, L"no button " + c.words[1] + L" in " + c.words[0], kScriptError);
    PostMessageW(button, BM_CLICK, 0, 0);
    Pump(50);
    return true;
}

bool PageHost::MousePoint(const ScriptCommand& c, const HostedControl& hosted, POINT& point) {
    const auto integer = [&](size_t i) {
        return i < c.values.size() && c.values[i].kind == ScriptValue::Kind::Integer;
    };
    if (c.words[1] != L"color") {
        if (!integer(1) || !integer(2))
            return Fail(c, L"needs X Y", kScriptError);
        point = {static_cast<LONG>(c.values[1].integer), static_cast<LONG>(c.values[2].integer)};
        return true;
    }
    if (!integer(2) || !integer(3) || !integer(4))
        return Fail(c, L"needs color 0xRRGGBB DX DY", kScriptError);
    const auto colour = static_cast<uint32_t>(c.values[2].integer) & 0xFFFFFF;
    Pump(50);
    if (const auto found = FindColour(hosted.container, colour)) {
        point = {static_cast<LONG>(found->x + c.values[3].integer),
                 static_cast<LONG>(found->y + c.values[4].integer)};
        return true;
    }
    return Fail(c, L"the control shows no pixel of that colour", kExpectationFailed);
}

std::optional<POINT> PageHost::FindColour(HWND window, uint32_t colour) {
    const PixelBuffer pixels = CaptureWindow(window);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.At(x, y) == colour)
                return POINT{x, y};
    return std::nullopt;
}

bool PageHost::WaitColor(const ScriptCommand& c) {
    HostedControl* hosted = Find(c.words[0]);
    if (hosted == nullptr)
        return Fail(c, L"no control named " + c.words[0], kScriptError);
    if (c.values[1].kind != ScriptValue::Kind::Integer)
        return Fail(c, L"needs a colour 0xRRGGBB", kScriptError);
    DWORD timeout = 5000;
    if (c.values.size() > 2 && c.values[2].kind == ScriptValue::Kind::Integer)
        timeout = static_cast<DWORD>(c.values[2].integer);
    const auto colour = static_cast<uint32_t>(c.values[1].integer) & 0xFFFFFF;
    const DWORD start = GetTickCount();
    for (;;) {
        if (const auto found = FindColour(hosted->container, colour)) {
            PrintLine(L"wait-color " + c.words[0] + L" found at " + std::to_wstring(found->x) +
                      L"," + std::to_wstring(found->y));
            return true;
        }
        if (GetTickCount() - start >= timeout)
            return Fail(c,
                        L"the control showed no pixel of that colour within " +
                            std::to_wstring(timeout) + L" ms",
                        kExpectationFailed);
        Pump(50);
    }
}

bool PageHost::Capture(const ScriptCommand& c) {
    HWND window = nullptr;
    if (c.words[0] == L"page") {
        window = m_page.Hwnd();
    } else if (HostedControl* hosted = Find(c.words[0])) {
        window = hosted->container;
    }
    if (window == nullptr)
        return Fail(c, L"nothing named " + c.words[0] + L" to capture", kScriptError);
    Pump(50);
    const PixelBuffer pixels = CaptureWindow(window);
    if (!SavePng(pixels, c.words[1]))
        return Fail(c, L"cannot write " + c.words[1], kSetupFailed);
    PrintLine(L"capture " + c.words[0] + L" -> " + c.words[1] + L" (" +
              std::to_wstring(pixels.width) + L"x" + std::to_wstring(pixels.height) + L")");
    return true;
}

bool PageHost::NavigateInner(const ScriptCommand& c) {
    HostedControl* hosted = Find(c.words[0]);
    if (hosted == nullptr)
        return Fail(c, L"no control named " + c.words[0], kScriptError);
    ComPtr<IWebBrowser2> browser = InnerBrowser(hosted->container);
    if (!browser)
        return Fail(c, c.words[0] + L" shows no web browser", kExpectationFailed);
    BSTR url = SysAllocString(c.words[1].c_str());
    VARIANT empty;
    VariantInit(&empty);
    const HRESULT hr = browser->Navigate(url, &empty, &empty, &empty, &empty);
    SysFreeString(url);
    PrintLine(L"navigate " + c.words[0] + L" " + c.words[1] + L" -> " + Hex(hr));
    Pump(50);
    return true;
}

bool PageHost::Destroy(const std::wstring& name) {
    for (auto it = m_controls.begin(); it != m_controls.end(); ++it) {
        HostedControl& hosted = **it;
        if (hosted.name != name)
            continue;
        if (hosted.connectionPoint && hosted.cookie)
            hosted.connectionPoint->Unadvise(hosted.cookie);
        hosted.connectionPoint.Reset();
        hosted.dispatch.Reset();
        hosted.control.Reset();
        // The container closes and releases the control with its window.
        DestroyWindow(hosted.container);
        m_controls.erase(it);
        Pump(20);
        return true;
    }
    return false;
}

void PageHost::Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}
