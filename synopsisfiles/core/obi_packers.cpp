#include "obi_packers.h"

#include "object_file.h"
#include "track_box.h"

#include <cstring>

int32_t PackUnit::Pack(void* dest, size_t capacity) const {
    if (Size() > capacity)
        return kObiShortBuffer;
    if (dest == nullptr || Data() == nullptr)
        return kObiNullInput;
    std::memcpy(dest, Data(), Size());
    return kObiOk;
}

int32_t PackUnit::Unpack(const void* src, size_t available) {
    if (Size() > available)
        return kObiShortBuffer;
    if (src == nullptr)
        return kObiNullInput;
    if (Size() != 0) // a record of no bytes has nowhere to copy to
        std::memcpy(Data(), src, Size());
    return kObiOk;
}

void OBIObjInfoPacker::FillObject(const ObiHeaderRecord& header, ObiObject& object) const {
    object.objectId = record.objectId;
    object.tubeId = record.tubeId;
    object.firstFrame = record.firstFrame;
    object.attr0 = record.attr0;
    object.attr1 = record.attr1;
    object.lastFrame = OffsetFrame(record.firstFrame, OffsetFrame(record.frameCount, -1));
    object.frameCount = record.frameCount;
    object.frameWidth = header.frameWidth;
    object.frameHeight = header.frameHeight;
}

void OBIObjFrmInfoPacker::FillFrame(ObiFrame& frame) const {
    frame.frameNumber = record.frameNumber;
    frame.x = record.x;
    frame.y = record.y;
    frame.w = record.w;
    frame.h = record.h;
}
