// Receiving a COM object's events: a small IDispatch sink for one event
// dispinterface that hands every event to a handler, advised to the object's
// connection point and unadvised again. The sink map of a class that hosts a
// control is its handler's switch on the DISPID.
#pragma once

#include "com_base.h"

#include <oaidl.h>
#include <ocidl.h>

#include <functional>

class EventConnection {
public:
    // Gets every event's DISPID and arguments (last argument first, as
    // Automation passes them).
    using Handler = std::function<void(DISPID dispid, DISPPARAMS& params)>;

    EventConnection();
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

    // Advises a sink for eventInterface to source's connection point; any
    // earlier connection is dropped first.
    HRESULT Connect(IUnknown* source, REFIID eventInterface, Handler handler);
    // Unadvises; events that still arrive afterwards reach no handler. Safe
    // from inside the handler.
    void Disconnect();

    bool IsConnected() const { return m_cookie != 0; }
    DWORD Cookie() const { return m_cookie; }

private:
    class Sink;
    ComPtr<IConnectionPoint> m_point;
    ComPtr<Sink> m_sink;
    DWORD m_cookie = 0;
};
