// The synopsis overlay: every frame of a synopsis video carries the objects
// shown in it; the overlay draws each object's box as corner brackets and its
// source time stamp, and keeps the frame's objects so that a click in the
// video window can be mapped to an object.
//
// Threads: Draw runs on the streaming library's rendering thread; the
// setters, the hit test and FrameOffset on the user-interface thread. The
// frame's objects are published whole (a finished list swapped in), so the
// hit test never sees a list in the middle of growth.
#pragma once

#include "gdi.h"
#include "streamlink.h"
#include "synopsis_objects.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class SynopsisOverlay {
public:
    SynopsisOverlay();

    // Draws the frame's objects on the picture (dc draws in picture pixels).
    // A frame without metadata keeps the previous frame's objects.
    void Draw(HDC dc, const SC_FrameInfo& frame);

    void SetShowTime(int show) { m_showTime = show; }
    void SetShowBoxes(int show) { m_showBoxes = show; }
    void SetFrameRate(float frameRate) { m_frameRate = frameRate; }
    int ShowTime() const { return m_showTime; }
    int ShowBoxes() const { return m_showBoxes; }
    float FrameRate() const { return m_frameRate; }

    // The object at a point of the picture, earliest in the frame's list
    // first. A hit records the task's frame offset that the object implies.
    std::optional<SynopsisObject> HitTest(uint64_t x, uint64_t y);
    int32_t FrameOffset() const { return m_frameOffset; }

    // Forgets the last frame's objects (when something else is played).
    void Clear();
    std::shared_ptr<const std::vector<SynopsisObject>> FrameObjects() const {
        return m_frameObjects.load();
    }

private:
    using ObjectList = std::vector<SynopsisObject>;

    void DrawObject(HDC dc, const SynopsisObject& object, const SC_FrameInfo& frame, bool showTime,
                    bool showBoxes, float frameRate) const;
    HFONT FontFor(HDC dc, int frameWidth);

    int32_t m_frameOffset = 0;
    std::atomic<std::shared_ptr<const ObjectList>> m_frameObjects;
    std::atomic<int32_t> m_showTime{1};
    std::atomic<int32_t> m_showBoxes{1};
    std::atomic<float> m_frameRate{25.0f};
    // Made once and used only on the rendering thread.
    GdiPen m_pen;
    GdiFont m_smallFont;
    GdiFont m_largeFont;
};

// The metadata block a frame carries, as far as its length says; empty for
// a frame whose information is too short to give a length.
std::span<const uint8_t> MetadataOf(const SC_FrameInfo& frame);
