// The live players by handle. A handle is an opaque number, never reused, so
// a stale or made-up handle finds nothing instead of freed memory; a call
// holds its player alive for its own duration even if another thread closes
// the handle meanwhile.
#pragma once

#include "stream_player.h"

#include <map>
#include <memory>
#include <mutex>

class PlayerRegistry {
public:
    // The process's registry. It is never destroyed at process exit, when the
    // players' threads are already gone and their locks may be held.
    static PlayerRegistry& Get();
    // Drops the registry when the library is unloaded (no player is left
    // then: each one's threads keep the library loaded).
    static void Release();

    SC_PLAYER Add(UINT message, HWND window);
    std::shared_ptr<StreamPlayer> Find(SC_PLAYER handle) const;
    std::shared_ptr<StreamPlayer> Remove(SC_PLAYER handle);

private:
    mutable std::mutex m_lock;
    std::map<uintptr_t, std::shared_ptr<StreamPlayer>> m_players;
    uintptr_t m_lastHandle = 0x5C0000;
};
