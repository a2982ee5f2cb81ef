// The track overlay: while a stretch of source video plays, the box of the
// object being followed is drawn from its track, one record per frame.
//
// Threads: the track worker publishes a finished track (Publish), the
// rendering thread draws from whatever track is current (Draw), and the
// user-interface thread starts a new track (BeginNew) whenever a new stretch
// plays. A track published by a worker that a later start has made stale is
// dropped.
#pragma once

#include "track_box.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

// 0 corner brackets, 1 an ellipse, 2 a cross at the centre.
enum TrackStyleValue : int32_t { kTrackBrackets = 0, kTrackEllipse = 1, kTrackCross = 2 };

class TrackSlot {
public:
    TrackSlot() : m_track(std::make_shared<const Track>()) {}

    // Empties the track and returns the number a worker filling the new one
    // publishes under.
    uint64_t BeginNew();
    // Replaces the track unless a later BeginNew has happened since.
    bool Publish(uint64_t generation, Track track);
    std::shared_ptr<const Track> Current() const { return m_track.load(); }

private:
    std::mutex m_publishing;
    uint64_t m_generation = 0;
    std::atomic<std::shared_ptr<const Track>> m_track;
};

// Draws the record of frame f of the track on a picture of width x height in
// the given style (solid red pen of width 2); nothing for frames outside the
// track or a style it does not know.
void DrawTrackBox(HDC dc, const Track& track, int32_t frame, uint32_t width, uint32_t height,
                  int32_t style);
