// Commands that wait for a status of the streaming library before acting:
// opening the media once the server is connected (a new file on a new
// library player) or once the previous media is closed (another file on the
// same library player).
#pragma once

#include "streamlink.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

class CPlayCommand {
public:
    // player is the streaming player's handle field, read when acting.
    explicit CPlayCommand(const std::atomic<SC_PLAYER>& player) : m_player(player) {}
    virtual ~CPlayCommand() = default;

    void Set(uint32_t startFrame, uint32_t endFrame, const std::wstring& path, HWND window);
    // Acts on the status it waits for and returns 1 (consumed); 0 otherwise.
    int OnStatus(int status);

protected:
    virtual int AwaitedStatus() const = 0;

private:
    const std::atomic<SC_PLAYER>& m_player;
    uint32_t m_startFrame = 0;
    uint32_t m_endFrame = 0;
    std::wstring m_path;
    HWND m_window = nullptr;
};

// Opens the media once the library reports the connection (status 6).
class CPlayNewFile : public CPlayCommand {
public:
    using CPlayCommand::CPlayCommand;

protected:
    int AwaitedStatus() const override { return SC_STATUS_CONNECTED; }
};

// Opens the media once the previous one is closed (status 13).
class CPlayOtherFile : public CPlayCommand {
public:
    using CPlayCommand::CPlayCommand;

protected:
    int AwaitedStatus() const override { return SC_STATUS_MEDIA_CLOSED; }
};

// Sent to the streaming player's window when the library refuses to open a
// media; wParam carries the owner notification.
inline constexpr UINT kPlayerFailedMessage = 1126;
