#include "synopsis_writers.h"

#include "byte_writer.h"
#include "synopsis_layout.h"

namespace {

int64_t TubeBlockLength(const TubeBlock& block) {
    int64_t length = kTubeBlockHeaderSize;
    for (const TubeFrame& frame : block.frames)
        length += kTubeFrameHeaderSize + kTubeItemSize * static_cast<int64_t>(frame.items.size());
    return length;
}

} // namespace

std::vector<uint8_t> WriteTubeFile(const TubeFileContent& content) {
    ByteWriter out;
    out.Bytes("ASTI", 4);
    out.U16(content.version);
    out.U16(content.frameWidth);
    out.U16(content.frameHeight);
    out.I32(static_cast<int32_t>(content.tubes.size()));

    int64_t offset =
        kTubeHeaderSize + kTubeIndexEntrySize * static_cast<int64_t>(content.tubes.size());
    for (const TubeBlock& block : content.tubes) {
        const int64_t length = TubeBlockLength(block);
        out.I32(block.indexTubeId);
        out.I64(offset);
        out.I64(length);
        offset += length;
    }
    for (const TubeBlock& block : content.tubes) {
        out.I32(block.tubeId);
        for (int32_t word : block.reserved)
            out.I32(word);
        out.U32(static_cast<uint32_t>(block.frames.size()));
        for (const TubeFrame& frame : block.frames) {
            out.I32(frame.frameNumber);
            out.U16(static_cast<uint16_t>(frame.items.size()));
            for (const TubeItem& item : frame.items) {
                out.U16(item.objectId);
                out.U16(item.x);
                out.U16(item.y);
                out.U16(item.w);
                out.U16(item.h);
            }
        }
    }
    return out.Take();
}

std::vector<uint8_t> WriteObjectFile(const ObjectFileContent& content) {
    ByteWriter out;
    out.Bytes("ASOI", 4);
    out.U16(content.version);
    out.U16(content.frameWidth);
    out.U16(content.frameHeight);
    out.I32(static_cast<int32_t>(content.objects.size()));

    int64_t offset =
        kObiHeaderSize + kObiLocationSize * static_cast<int64_t>(content.objects.size());
    for (const ObiObjectRecord& object : content.objects) {
        const int64_t length =
            kObiInfoSize + kObiFrameSize * static_cast<int64_t>(object.frames.size());
        out.I32(object.objectId);
        out.I32(object.tubeId);
        out.I64(offset);
        out.I64(length);
        offset += length;
    }
    for (const ObiObjectRecord& object : content.objects) {
        out.I32(object.objectId);
        out.I32(object.tubeId);
        out.I32(object.attr0);
        out.I32(object.attr1);
        out.I32(object.firstFrame);
        out.I32(static_cast<int32_t>(object.frames.size()));
        for (const ObiFrameRecord& frame : object.frames) {
            out.I32(frame.frameNumber);
            out.U16(frame.x);
            out.U16(frame.y);
            out.U16(frame.w);
            out.U16(frame.h);
        }
    }
    return out.Take();
}
