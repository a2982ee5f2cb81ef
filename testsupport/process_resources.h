// Counting what a process holds, for tests that run something many times
// and check that nothing was left behind: kernel handles, GDI objects,
// windows and threads. Wine answers GetProcessHandleCount and
// GetGuiResources with 0, so the handles and GDI objects are counted by
// asking the system about each possible handle value.
#pragma once

#include <map>
#include <ostream>

struct ProcessResources {
    int handles = 0;
    int gdiObjects = 0;
    int windows = 0;
    int threads = 0;
    // GDI objects by kind (GetObjectType's OBJ_ values), for telling what grew.
    std::map<unsigned long, int> gdiKinds;

    int GdiKind(unsigned long kind) const {
        const auto found = gdiKinds.find(kind);
        return found == gdiKinds.end() ? 0 : found->second;
    }

    bool operator==(const ProcessResources&) const = default;
};

ProcessResources CountProcessResources();

std::ostream& operator<<(std::ostream& out, const ProcessResources& r);
