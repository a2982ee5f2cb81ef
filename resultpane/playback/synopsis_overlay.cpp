#include "synopsis_overlay.h"

#include "overlay_geometry.h"

#include <cstddef>
#include <string>

namespace {

constexpr COLORREF kBoxColour = RGB(255, 200, 0);
constexpr COLORREF kLabelColour = RGB(255, 0, 0);

void DrawSegments(HDC dc, const OverlaySegment* segments, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        MoveToEx(dc, static_cast<int>(segments[i].from.x), static_cast<int>(segments[i].from.y),
                 nullptr);
        LineTo(dc, static_cast<int>(segments[i].to.x), static_cast<int>(segments[i].to.y));
    }
}

// A point font as a dialog would make it for a picture DC: the height in
// pixels of pointSize points at the DC's vertical resolution.
HFONT MakePointFont(HDC dc, int pointSize) {
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"宋体");
    return CreateFontIndirectW(&font);
}

} // namespace

std::span<const uint8_t> MetadataOf(const SC_FrameInfo& frame) {
    constexpr size_t kLengthEnd = offsetof(SC_FrameInfo, metadataLength) + sizeof(unsigned int);
    if (frame.metadata == nullptr || frame.structSize < kLengthEnd)
        return {};
    return {frame.metadata, frame.metadataLength};
}

SynopsisOverlay::SynopsisOverlay() : m_frameObjects(std::make_shared<const ObjectList>()) {}

void SynopsisOverlay::Clear() {
    m_frameObjects = std::make_shared<const ObjectList>();
}

void SynopsisOverlay::Draw(HDC dc, const SC_FrameInfo& frame) {
    if (!frame.metadataPresent)
        return;
    ObjectList objects = ParseSynopsisObjects(MetadataOf(frame));
    const bool showTime = m_showTime == 1;
    const bool showBoxes = m_showBoxes == 1;
    if (objects.empty() || (m_showTime == 0 && m_showBoxes == 0)) {
        // Nothing to draw, and with both kinds of drawing off nothing to hit.
        Clear();
        return;
    }
    if (!m_pen)
        m_pen.Reset(CreatePen(PS_SOLID, 1, kBoxColour));
    SelectObjectScope pen(dc, m_pen.Get());
    SelectObjectScope font(dc, FontFor(dc, frame.frameWidth));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColour);
    const float frameRate = m_frameRate;
    for (const SynopsisObject& object : objects)
        DrawObject(dc, object, frame, showTime, showBoxes, frameRate);
    m_frameObjects = std::make_shared<const ObjectList>(std::move(objects));
}

void SynopsisOverlay::DrawObject(HDC dc, const SynopsisObject& o, const SC_FrameInfo& frame,
                                 bool showTime, bool showBoxes, float frameRate) const {
    if (showTime) {
        const std::wstring label = SourceTimeLabel(o.sourceFrame, frameRate);
        SIZE size = {};
        GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
        const OverlayPoint place =
            TimeLabelPlace(o.x, o.y, o.h, size.cx, size.cy, frame.frameWidth, frame.frameHeight);
        TextOutW(dc, static_cast<int>(place.x), static_cast<int>(place.y), label.c_str(),
                 static_cast<int>(label.size()));
    }
    if (showBoxes) {
        const auto brackets = CornerBrackets(o.x, DrawnTop(o.y), o.w, o.h);
        DrawSegments(dc, brackets.data(), brackets.size());
    }
}

HFONT SynopsisOverlay::FontFor(HDC dc, int frameWidth) {
    const int points = TimeLabelPointSize(frameWidth);
    GdiFont& font = points == 15 ? m_largeFont : m_smallFont;
    if (!font)
        font.Reset(MakePointFont(dc, points));
    return font.Get();
}

std::optional<SynopsisObject> SynopsisOverlay::HitTest(uint64_t x, uint64_t y) {
    const std::shared_ptr<const ObjectList> objects = m_frameObjects.load();
    const SynopsisObject* hit = FindObjectAt(*objects, x, y);
    if (hit == nullptr)
        return std::nullopt;
    m_frameOffset = FrameOffsetOf(*hit, m_frameRate);
    return *hit;
}
