#include "player_registry.h"

namespace {

PlayerRegistry*& Instance() {
    static PlayerRegistry* registry = new PlayerRegistry;
    return registry;
}

} // namespace

PlayerRegistry& PlayerRegistry::Get() {
    return *Instance();
}

void PlayerRegistry::Release() {
    delete Instance();
    Instance() = nullptr;
}

SC_PLAYER PlayerRegistry::Add(UINT message, HWND window) {
    std::lock_guard<std::mutex> hold(m_lock);
    const uintptr_t id = ++m_lastHandle;
    const auto handle = reinterpret_cast<SC_PLAYER>(id);
    auto player = std::make_shared<StreamPlayer>(handle, message, window);
    if (!player->Start())
        return nullptr;
    m_players.emplace(id, std::move(player));
    return handle;
}

std::shared_ptr<StreamPlayer> PlayerRegistry::Find(SC_PLAYER handle) const {
    std::lock_guard<std::mutex> hold(m_lock);
    const auto found = m_players.find(reinterpret_cast<uintptr_t>(handle));
    return found == m_players.end() ? nullptr : found->second;
}

std::shared_ptr<StreamPlayer> PlayerRegistry::Remove(SC_PLAYER handle) {
    std::lock_guard<std::mutex> hold(m_lock);
    const auto found = m_players.find(reinterpret_cast<uintptr_t>(handle));
    if (found == m_players.end())
        return nullptr;
    auto player = std::move(found->second);
    m_players.erase(found);
    return player;
}
