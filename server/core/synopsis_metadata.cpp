#include "synopsis_metadata.h"

#include "big_endian.h"
#include "scene_frame.h"

namespace {

uint64_t MillisecondsOf(int64_t frame, int fps) {
    return frame <= 0 || fps <= 0 ? 0 : static_cast<uint64_t>(frame * 1000 / fps);
}

} // namespace

std::vector<uint8_t> SynopsisMetadata(const SampleVideo& video, int32_t index) {
    const std::vector<FrameObject> shown = ObjectsInFrame(video, index);
    std::vector<uint8_t> block;
    block.reserve(kMetadataHeaderSize + shown.size() * kMetadataRecordSize);
    BigEndianWriter w(block);
    w.U32(kMetadataVersion);
    w.U32(static_cast<uint32_t>(shown.size()));
    w.U32(static_cast<uint32_t>(index));
    w.U32(static_cast<uint32_t>(video.fps));
    for (const FrameObject& item : shown) {
        const SceneObject& o = *item.object;
        w.U32(static_cast<uint32_t>(o.tubeId));
        w.U32(static_cast<uint32_t>(o.objectId));
        w.U64(static_cast<uint64_t>(item.sourceFrame));
        w.U64(static_cast<uint64_t>(o.firstFrame));
        w.U64(static_cast<uint64_t>(o.lastFrame));
        w.U64(MillisecondsOf(o.firstFrame, video.fps));
        w.U64(MillisecondsOf(int64_t{o.lastFrame} + 1, video.fps));
        w.U32(static_cast<uint32_t>(o.lastFrame - o.firstFrame + 1));
        w.U32(static_cast<uint32_t>(item.box.x));
        w.U32(static_cast<uint32_t>(item.box.y));
        w.U32(static_cast<uint32_t>(item.box.w));
        w.U32(static_cast<uint32_t>(item.box.h));
        w.U32(static_cast<uint32_t>(o.Kind()));
        w.U32(o.color);
        w.U32(0);
    }
    return block;
}
