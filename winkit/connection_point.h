// Outgoing events: one connection point per event interface, embedded in the
// object that fires (it shares that object's reference count, so it lives
// exactly as long), and the container interface that hands it out.
#pragma once

#include "com_base.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

class ConnectionPoint final : public IConnectionPoint {
public:
    // owner is the object that embeds this point and implements the container.
    ConnectionPoint(IConnectionPointContainer* owner, REFIID eventInterface)
        : m_owner(owner), m_iid(eventInterface) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // IUnknown: references go to the owner.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }

    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    REFIID EventInterface() const { return m_iid; }
    size_t SinkCount() const { return m_sinks.size(); }

    // Calls dispid on every sink, in connection order, with the arguments as
    // VT_I4 (passed last-first, as Automation wants). A failing sink does not
    // stop the others. Returns the last sink's result, S_OK without sinks.
    HRESULT FireInt32(DISPID dispid, std::initializer_list<int32_t> arguments);

    // Drops every connection (the owner is going away).
    void DisconnectAll() { m_sinks.clear(); }

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };

    IConnectionPointContainer* m_owner;
    IID m_iid;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

// IConnectionPointContainer over one embedded connection point. Derive the
// object from it; it answers for the object's IUnknown.
class SingleConnectionPointContainer : public IConnectionPointContainer {
public:
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

protected:
    explicit SingleConnectionPointContainer(REFIID eventInterface)
        : m_connectionPoint(this, eventInterface) {}
    ConnectionPoint m_connectionPoint;
};
