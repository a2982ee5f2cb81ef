// The window the streaming player renders into. It shows the background
// picture while nothing plays, carries the two frame overlays, maps
// double-clicks and right-clicks on objects to messages for the playback
// panel, and goes full screen (on the monitor that holds it) on a
// double-click elsewhere.
//
// Messages to the panel (sent, so the pointed-to values live for the call):
//   1124 double-click on an object, 1125 right-button release on one. wParam
//   points at two int32: the object's end frame (its first frame plus its
//   length), then its first frame; lParam at two int32: tubeid, then compid.
#pragma once

#include "image.h"
#include "message_map.h"
#include "synopsis_overlay.h"
#include "track_overlay.h"
#include "video_play_interface.h"
#include "window.h"

#include <atomic>
#include <memory>
#include <string>

inline constexpr UINT kObjectDoubleClickedMessage = 1124;
inline constexpr UINT kObjectRightClickedMessage = 1125;

class CVideoWindow : public CustomWindow {
public:
    CVideoWindow();
    ~CVideoWindow() override { Destroy(); }

    // A visible child of parent with the given item id, below its siblings;
    // parent receives the object messages.
    bool Create(HWND parent, const RECT& rect, int id);
    // The player whose state decides what the background shows (not owned).
    void SetPlayer(CVideoPlayInterface* player) { m_player = player; }
    // The picture shown while nothing plays; a missing file leaves black.
    void LoadBackground(const std::wstring& path);

    SynopsisOverlay& Overlay() { return m_overlay; }
    const std::shared_ptr<TrackSlot>& TrackSlotOf() { return m_track; }
    void SetTrackStyle(int32_t style) { m_trackStyle = style; }
    // Draws the followed object's box for frame f (rendering thread).
    void DrawTrack(HDC dc, int32_t frame, uint32_t width, uint32_t height) const;

    void EnterFullScreen();
    void LeaveFullScreen();
    bool IsFullScreen() const { return m_fullScreen; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnSize(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnNcHitTest(WPARAM, LPARAM, bool& handled);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnRButtonUp(WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnKeyDown(WPARAM key, LPARAM, bool& handled);
    LRESULT OnClose(WPARAM, LPARAM, bool& handled);

    // The object under a point of the client area, in the picture's pixels.
    std::optional<SynopsisObject> HitTest(LPARAM point);
    // Sends an object message to the panel; the last thing a handler does,
    // for the panel's listeners may take the window away.
    void SendObjectMessage(UINT message, const SynopsisObject& object) const;

    static const MessageEntry<CVideoWindow> kMessages[];

    SynopsisOverlay m_overlay;
    std::shared_ptr<TrackSlot> m_track;
    std::atomic<int32_t> m_trackStyle{kTrackBrackets};
    bool m_fullScreen = false;
    HWND m_panel = nullptr; // the parent it was created in, also while full screen
    WINDOWPLACEMENT m_savedPlacement = {};
    CVideoPlayInterface* m_player = nullptr;
    Image m_background;
};
