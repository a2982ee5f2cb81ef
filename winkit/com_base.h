// The pieces every COM object of ours is made of: the module's lock count,
// reference counting, interface tables for QueryInterface, and the class
// factory.
#pragma once

#include <objbase.h>
#include <unknwn.h>

#include <initializer_list>
#include <new>

// Objects and server locks alive in this module; DllCanUnloadNow answers by it.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();
HRESULT ModuleCanUnloadNow();

// One row of a QueryInterface table: an interface and the object's pointer
// for it (already cast to that interface).
struct InterfaceEntry {
    const IID* iid;
    void* pointer;
};

template <class Interface, class Object> InterfaceEntry Entry(Object* object) {
    return InterfaceEntry{&__uuidof(Interface), static_cast<Interface*>(object)};
}

// Looks riid up in the table in order; IUnknown answers with the first row.
// AddRefs through the returned interface.
HRESULT QueryInterfaceFromTable(REFIID riid, void** ppv,
                                std::initializer_list<InterfaceEntry> table);

// Reference count and module lock of one object. An object is born with one
// reference, owned by whoever created it.
class ComRefCount {
public:
    ComRefCount() { LockModule(); }
    ~ComRefCount() { UnlockModule(); }
    ComRefCount(const ComRefCount&) = delete;
    ComRefCount& operator=(const ComRefCount&) = delete;

    ULONG Add() { return static_cast<ULONG>(InterlockedIncrement(&m_count)); }
    ULONG Remove() { return static_cast<ULONG>(InterlockedDecrement(&m_count)); }

private:
    LONG m_count = 1;
};

// Declares AddRef and Release for a class with a ComRefCount m_refs member.
#define WINKIT_IUNKNOWN_REFCOUNT                                                                   \
    STDMETHODIMP_(ULONG) AddRef() override {                                                       \
        return m_refs.Add();                                                                       \
    }                                                                                              \
    STDMETHODIMP_(ULONG) Release() override {                                                      \
        const ULONG left = m_refs.Remove();                                                        \
        if (left == 0)                                                                             \
            delete this;                                                                           \
        return left;                                                                               \
    }

// Owns one COM reference.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* p) {
        if (p)
            p->AddRef();
        return Adopt(p);
    }
    ComPtr(const ComPtr& other) : m_p(other.m_p) {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        T* old = m_p;
        m_p = other.m_p;
        other.m_p = old;
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (m_p) {
            T* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out parameters: releases what is held and hands out the slot.
    T** Receive() {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    T* Detach() {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    template <class U> ComPtr<U> As() const {
        ComPtr<U> result;
        if (m_p)
            m_p->QueryInterface(__uuidof(U), result.ReceiveVoid());
        return result;
    }

private:
    T* m_p = nullptr;
};

// The class factory of T: creates T through T::CreateInstance(outer, riid,
// ppv) and counts LockServer calls as module locks.
template <class T> class ClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        return QueryInterfaceFromTable(riid, ppv, {Entry<IClassFactory>(this)});
    }
    WINKIT_IUNKNOWN_REFCOUNT

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return T::CreateInstance(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }

private:
    ComRefCount m_refs;
};

// Hands out an interface of a newly made object (born with one reference,
// null when it could not be made) and drops the maker's reference.
template <class T> HRESULT QueryNewObject(T* object, REFIID riid, void** ppv) {
    if (object == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

// DllGetClassObject for one class.
template <class T>
HRESULT GetClassObjectFor(REFCLSID wanted, REFCLSID clsid, REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(wanted, clsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory<T>();
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

// Runs the body of a COM method so that no C++ exception leaves it: callers
// are system or script code. Running out of memory (a huge server reply, say)
// gives E_OUTOFMEMORY, anything else E_UNEXPECTED.
template <class Body> HRESULT ComBoundary(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
