#include "com_base.h"

namespace {
LONG g_moduleLocks = 0;
}

void LockModule() {
    InterlockedIncrement(&g_moduleLocks);
}
void UnlockModule() {
    InterlockedDecrement(&g_moduleLocks);
}
LONG ModuleLockCount() {
    return InterlockedCompareExchange(&g_moduleLocks, 0, 0);
}
HRESULT ModuleCanUnloadNow() {
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT QueryInterfaceFromTable(REFIID riid, void** ppv,
                                std::initializer_list<InterfaceEntry> table) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (table.size() == 0)
        return E_NOINTERFACE;
    void* found = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) {
        found = table.begin()->pointer;
    } else {
        for (const InterfaceEntry& entry : table) {
            if (IsEqualIID(riid, *entry.iid)) {
                found = entry.pointer;
                break;
            }
        }
    }
    if (found == nullptr)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(found)->AddRef();
    *ppv = found;
    return S_OK;
}
