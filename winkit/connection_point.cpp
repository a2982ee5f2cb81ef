#include "connection_point.h"

#include <new>

namespace {

// A snapshot enumerator: holds its own references to the items it lists.
template <class IEnum, class Item, class Stored> class SnapshotEnumerator final : public IEnum {
public:
    SnapshotEnumerator(std::vector<Stored> items, size_t position = 0)
        : m_items(std::move(items)), m_position(position) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        return QueryInterfaceFromTable(riid, ppv, {Entry<IEnum>(this)});
    }
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
        if (items == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG done = 0;
        while (done < count && m_position < m_items.size())
            items[done++] = Hand(m_items[m_position++]);
        if (fetched)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const size_t left = m_items.size() - m_position;
        m_position += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** clone) override {
        if (clone == nullptr)
            return E_POINTER;
        *clone = new (std::nothrow) SnapshotEnumerator(m_items, m_position);
        return *clone ? S_OK : E_OUTOFMEMORY;
    }

private:
    static IConnectionPoint* Hand(const ComPtr<IConnectionPoint>& p) {
        return ComPtr<IConnectionPoint>(p).Detach();
    }
    static CONNECTDATA Hand(const std::pair<DWORD, ComPtr<IUnknown>>& p) {
        return CONNECTDATA{ComPtr<IUnknown>(p.second).Detach(), p.first};
    }

    ComRefCount m_refs;
    std::vector<Stored> m_items;
    size_t m_position;
};

using ConnectionsEnumerator =
    SnapshotEnumerator<IEnumConnections, CONNECTDATA, std::pair<DWORD, ComPtr<IUnknown>>>;
using PointsEnumerator =
    SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;

} // namespace

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    return QueryInterfaceFromTable(riid, ppv, {Entry<IConnectionPoint>(this)});
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr)
        return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr)
        return E_POINTER;
    m_owner->AddRef();
    *container = m_owner;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr)
        return E_POINTER;
    *cookie = 0;
    if (sink == nullptr)
        return E_POINTER;
    // A page's sink answers for the event interface, a generic one for IDispatch.
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(m_iid, dispatch.ReceiveVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid())))
        return CONNECT_E_CANNOTCONNECT;
    m_sinks.push_back(Sink{m_nextCookie, dispatch});
    *cookie = m_nextCookie++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->cookie == cookie) {
            m_sinks.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections == nullptr)
        return E_POINTER;
    std::vector<std::pair<DWORD, ComPtr<IUnknown>>> items;
    for (const Sink& sink : m_sinks)
        items.emplace_back(sink.cookie, ComPtr<IUnknown>::Share(sink.dispatch.Get()));
    *connections = new (std::nothrow) ConnectionsEnumerator(std::move(items));
    return *connections ? S_OK : E_OUTOFMEMORY;
}

HRESULT ConnectionPoint::FireInt32(DISPID dispid, std::initializer_list<int32_t> arguments) {
    // A sink may unadvise, or the page may release us, while we call it: call
    // a counted copy of the list.
    const std::vector<Sink> sinks = m_sinks;
    ComPtr<IConnectionPointContainer> keepAlive = ComPtr<IConnectionPointContainer>::Share(m_owner);

    std::vector<VARIANT> args(arguments.size());
    size_t slot = arguments.size();
    for (int32_t value : arguments) {
        VARIANT& arg = args[--slot];
        VariantInit(&arg);
        arg.vt = VT_I4;
        arg.lVal = value;
    }
    DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};

    HRESULT last = S_OK;
    for (const Sink& sink : sinks) {
        VARIANT result;
        VariantInit(&result);
        last = sink.dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                     &params, &result, nullptr, nullptr);
        VariantClear(&result);
    }
    return last;
}

STDMETHODIMP SingleConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points == nullptr)
        return E_POINTER;
    std::vector<ComPtr<IConnectionPoint>> items{
        ComPtr<IConnectionPoint>::Share(&m_connectionPoint)};
    *points = new (std::nothrow) PointsEnumerator(std::move(items));
    return *points ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP SingleConnectionPointContainer::FindConnectionPoint(REFIID riid,
                                                                 IConnectionPoint** point) {
    if (point == nullptr)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(riid, m_connectionPoint.EventInterface()))
        return CONNECT_E_NOCONNECTION;
    m_connectionPoint.AddRef();
    *point = &m_connectionPoint;
    return S_OK;
}
