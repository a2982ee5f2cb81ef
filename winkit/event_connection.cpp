#include "event_connection.h"

#include "untyped_dispatch.h"

class EventConnection::Sink final : public UntypedDispatch<> {
public:
    Sink(REFIID eventInterface, Handler handler)
        : m_iid(eventInterface), m_handler(std::move(handler)) {}

    void Silence() { m_handler = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, m_iid))
            return E_NOINTERFACE;
        AddRef();
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        if (params == nullptr || !m_handler)
            return S_OK;
        // The handler may disconnect, and so release this sink and the
        // handler, while it runs: both are held here until it returns.
        ComPtr<Sink> keepAlive = ComPtr<Sink>::Share(this);
        const Handler handler = m_handler;
        try {
            handler(dispid, *params);
        } catch (...) {
            // Nothing is thrown back into the object that fires.
        }
        return S_OK;
    }

private:
    ComRefCount m_refs;
    IID m_iid;
    Handler m_handler;
};

EventConnection::EventConnection() = default;

EventConnection::~EventConnection() {
    Disconnect();
}

HRESULT EventConnection::Connect(IUnknown* source, REFIID eventInterface, Handler handler) {
    Disconnect();
    if (source == nullptr)
        return E_POINTER;
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(eventInterface, point.Receive());
    if (FAILED(hr))
        return hr;
    auto sink = ComPtr<Sink>::Adopt(new Sink(eventInterface, std::move(handler)));
    DWORD cookie = 0;
    hr = point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie);
    if (FAILED(hr)) {
        sink->Silence();
        return hr;
    }
    m_point = point;
    m_sink = sink;
    m_cookie = cookie;
    return S_OK;
}

void EventConnection::Disconnect() {
    ComPtr<IConnectionPoint> point = std::move(m_point);
    ComPtr<Sink> sink = std::move(m_sink);
    const DWORD cookie = m_cookie;
    m_cookie = 0;
    if (sink)
        sink->Silence();
    if (point && cookie != 0)
        point->Unadvise(cookie);
}
