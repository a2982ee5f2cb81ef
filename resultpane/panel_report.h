// How the panels tell the control what the operator picked: a report of nine
// values handed to every registered callback.
#pragma once

#include <map>

// (flow number, start frame, end frame, start second, end second, component
// number, tube number, report kind, user data). Kinds: 1 double-click and
// 3 right-click in the playback panel, 2 click and 4 right-click in the
// snapshot panel. The result is ignored.
using ReportCallback = int (*)(int flowNumber, int startFrame, int endFrame, int startSecond,
                               int endSecond, int compId, int tubeId, int kind, void* userData);

// The receivers of a panel's reports. A callback is registered at most once;
// registering it again keeps its first user data. Reports go out in the
// map's order.
class ReportListeners {
public:
    // False (nothing registered) for a null callback.
    bool Add(ReportCallback callback, void* userData) {
        if (callback == nullptr)
            return false;
        m_listeners.emplace(callback, userData);
        return true;
    }
    void Notify(int flowNumber, int startFrame, int endFrame, int startSecond, int endSecond,
                int compId, int tubeId, int kind) const {
        // A receiver may register more while we call it: call a copy.
        const auto listeners = m_listeners;
        for (const auto& [callback, userData] : listeners)
            callback(flowNumber, startFrame, endFrame, startSecond, endSecond, compId, tubeId, kind,
                     userData);
    }
    size_t Count() const { return m_listeners.size(); }

private:
    std::map<ReportCallback, void*> m_listeners;
};
