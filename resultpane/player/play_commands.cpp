#include "play_commands.h"

#include "thread_codepage.h"

void CPlayCommand::Set(uint32_t startFrame, uint32_t endFrame, const std::wstring& path,
                       HWND window) {
    m_startFrame = startFrame;
    m_endFrame = endFrame;
    m_path = path;
    m_window = window;
}

int CPlayCommand::OnStatus(int status) {
    if (status != AwaitedStatus())
        return 0;
    // A media the library will not even ask for (the connection is gone)
    // would otherwise leave the owner waiting: report it as a failure.
    if (!SC_OpenMedia(m_player.load(), WideToThreadAnsi(m_path).c_str()) && m_window)
        SendMessageW(m_window, kPlayerFailedMessage, 0, 0);
    return 1;
}
