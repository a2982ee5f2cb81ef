#include "process_resources.h"

#include <windows.h>
#include <tlhelp32.h>

namespace {

// Handles are handed out lowest value first, so a process's handles (and any
// it leaks) lie in the low values; this bound leaves room for a few thousand.
constexpr ULONG_PTR kHandleValuesProbed = 0x4000;
// GDI handles carry their table index in the low 16 bits.
constexpr ULONG_PTR kGdiTableSize = 0x10000;

int CountHandles() {
    int count = 0;
    for (ULONG_PTR value = 4; value < kHandleValuesProbed; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

int CountGdiObjects(std::map<unsigned long, int>& kinds) {
    int count = 0;
    for (ULONG_PTR index = 1; index < kGdiTableSize; ++index) {
        const DWORD kind = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (kind != 0) {
            ++count;
            ++kinds[kind];
        }
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

int CountThreads() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

} // namespace

ProcessResources CountProcessResources() {
    ProcessResources r;
    r.threads = CountThreads();
    r.handles = CountHandles();
    r.gdiObjects = CountGdiObjects(r.gdiKinds);
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&r.windows));
    return r;
}

std::ostream& operator<<(std::ostream& out, const ProcessResources& r) {
    out << "{handles " << r.handles << ", GDI objects " << r.gdiObjects << " (";
    for (const auto& [kind, count] : r.gdiKinds)
        out << " kind " << kind << ": " << count;
    return out << "), windows " << r.windows << ", threads " << r.threads << "}";
}
