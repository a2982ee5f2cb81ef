#include "scene_frame.h"

#include <algorithm>

namespace {

// The source frame an object shows at position index, or false when it is
// not present there.
bool SourceFrameAt(const SampleVideo& video, const SceneObject& o, int32_t index, int32_t& frame) {
    int64_t source = 0;
    if (o.synopsisStart >= 0)
        source = int64_t{o.firstFrame} + index - o.synopsisStart;
    else
        source = int64_t{video.firstFrame} + index;
    if (source < o.firstFrame || source > o.lastFrame)
        return false;
    frame = static_cast<int32_t>(source);
    return true;
}

bool ClipToPicture(Box& box, int width, int height) {
    const int64_t left = std::max<int64_t>(box.x, 0);
    const int64_t top = std::max<int64_t>(box.y, 0);
    const int64_t right = std::min<int64_t>(int64_t{box.x} + std::max(box.w, 0), width);
    const int64_t bottom = std::min<int64_t>(int64_t{box.y} + std::max(box.h, 0), height);
    if (right <= left || bottom <= top)
        return false;
    box = Box{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top)};
    return true;
}

} // namespace

std::vector<FrameObject> ObjectsInFrame(const SampleVideo& video, int32_t index) {
    std::vector<FrameObject> shown;
    if (index < 0 || index >= video.frameCount)
        return shown;
    for (const SceneObject& o : video.objects) {
        FrameObject item;
        if (!SourceFrameAt(video, o, index, item.sourceFrame))
            continue;
        item.object = &o;
        item.box = o.BoxAt(item.sourceFrame);
        if (ClipToPicture(item.box, video.width, video.height))
            shown.push_back(item);
    }
    return shown;
}

bool IsSynopsis(const SampleVideo& video) {
    return std::any_of(video.objects.begin(), video.objects.end(),
                       [](const SceneObject& o) { return o.synopsisStart >= 0; });
}
