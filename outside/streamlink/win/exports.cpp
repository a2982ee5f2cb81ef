// The exported SC_ functions: each finds its player by handle and forwards.
// Nothing is thrown out of them.
#include "player_registry.h"
#include "streamlink.h"

namespace {

// Runs call on the live player of handle; fallback when there is none or the
// call fails by throwing.
template <class Result, class Call>
Result WithPlayer(SC_PLAYER handle, Result fallback, Call call) noexcept {
    try {
        const auto player = PlayerRegistry::Get().Find(handle);
        return player ? static_cast<Result>(call(*player)) : fallback;
    } catch (...) {
        return fallback;
    }
}

} // namespace

extern "C" {

SC_PLAYER SC_OpenPlayer(UINT message, HWND window) {
    try {
        if (!window || !IsWindow(window))
            return nullptr;
        return PlayerRegistry::Get().Add(message, window);
    } catch (...) {
        return nullptr;
    }
}

int SC_ConnectServer(SC_PLAYER player, const char* server, unsigned short port, const char* user,
                     const char* password) {
    if (!server || !user || !password)
        return 0;
    return WithPlayer(player, 0,
                      [&](StreamPlayer& p) { return p.Connect(server, port, user, password); });
}

int SC_OpenMedia(SC_PLAYER player, const char* path) {
    if (!path)
        return 0;
    return WithPlayer(player, 0, [&](StreamPlayer& p) { return p.OpenMedia(path); });
}

int SC_CloseMedia(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.CloseMedia(); });
}

int SC_Play(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.Play(); });
}

int SC_Pause(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.Pause(); });
}

int SC_SeekFrame(SC_PLAYER player, unsigned int frame) {
    return WithPlayer(player, 0, [&](StreamPlayer& p) { return p.SeekFrame(frame); });
}

int SC_ClosePlayer(SC_PLAYER player) {
    try {
        // A draw function cannot end the thread it runs on.
        const auto found = PlayerRegistry::Get().Find(player);
        if (!found || found->OnOwnThread())
            return 0;
        const auto removed = PlayerRegistry::Get().Remove(player);
        if (!removed)
            return 0;
        removed->Shutdown();
        return 1;
    } catch (...) {
        return 0;
    }
}

int SC_GetStatus(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.Status(); });
}

unsigned int SC_GetTotalFrames(SC_PLAYER player) {
    return WithPlayer(player, 0u, [](StreamPlayer& p) { return p.TotalFrames(); });
}

unsigned int SC_GetTotalTime(SC_PLAYER player) {
    return WithPlayer(player, 0u, [](StreamPlayer& p) { return p.TotalTimeMs(); });
}

int SC_GetVideoWidth(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.VideoWidth(); });
}

int SC_GetVideoHeight(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.VideoHeight(); });
}

unsigned int SC_GetCurrentFrameNo(SC_PLAYER player) {
    return WithPlayer(player, 0xFFFFFFFFu, [](StreamPlayer& p) { return p.CurrentFrame(); });
}

unsigned int SC_GetCurrentTime(SC_PLAYER player) {
    return WithPlayer(player, 0u, [](StreamPlayer& p) { return p.CurrentTimeMs(); });
}

int SC_RigisterDrawFun(SC_PLAYER player, SC_DrawFun draw, void* user) {
    return WithPlayer(player, 0, [&](StreamPlayer& p) {
        p.SetDrawFunction(draw, user);
        return 1;
    });
}

int SC_MaintainImage(SC_PLAYER player) {
    return WithPlayer(player, 0, [](StreamPlayer& p) { return p.Repaint(); });
}

int SC_GetOriginalImage(SC_PLAYER player, unsigned char* buffer, unsigned int* length) {
    return WithPlayer(player, 1, [&](StreamPlayer& p) { return p.CopyPicture(buffer, length); });
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // On FreeLibrary no player is left (their threads hold the library); at
    // process exit the threads are gone already and nothing may be waited for.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
        PlayerRegistry::Release();
    return TRUE;
}

} // extern "C"
