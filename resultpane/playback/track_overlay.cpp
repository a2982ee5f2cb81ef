#include "track_overlay.h"

#include "gdi.h"
#include "overlay_geometry.h"

uint64_t TrackSlot::BeginNew() {
    std::lock_guard<std::mutex> hold(m_publishing);
    m_track = std::make_shared<const Track>();
    return ++m_generation;
}

bool TrackSlot::Publish(uint64_t generation, Track track) {
    auto finished = std::make_shared<const Track>(std::move(track));
    std::lock_guard<std::mutex> hold(m_publishing);
    if (generation != m_generation)
        return false;
    m_track = std::move(finished);
    return true;
}

namespace {

void Stroke(HDC dc, const OverlaySegment& segment) {
    MoveToEx(dc, static_cast<int>(segment.from.x), static_cast<int>(segment.from.y), nullptr);
    LineTo(dc, static_cast<int>(segment.to.x), static_cast<int>(segment.to.y));
}

} // namespace

void DrawTrackBox(HDC dc, const Track& track, int32_t frame, uint32_t width, uint32_t height,
                  int32_t style) {
    const TrackBox* record = TrackRecordFor(track, frame);
    if (record == nullptr)
        return;
    const auto rect = TrackBoxRect(*record, width, height);
    if (!rect)
        return;
    GdiPen pen(CreatePen(PS_SOLID, 2, RGB(255, 0, 0)));
    SelectObjectScope selectPen(dc, pen.Get());
    SetBkMode(dc, TRANSPARENT);
    switch (style) {
    case kTrackBrackets:
        for (const OverlaySegment& s :
             CornerBrackets(rect->left, rect->top, rect->Width(), rect->Height()))
            Stroke(dc, s);
        break;
    case kTrackEllipse: {
        SelectObjectScope noFill(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, static_cast<int>(rect->left), static_cast<int>(rect->top),
                static_cast<int>(rect->right), static_cast<int>(rect->bottom));
        break;
    }
    case kTrackCross:
        for (const OverlaySegment& s : CentreCross(*rect))
            Stroke(dc, s);
        break;
    default:
        break;
    }
}
