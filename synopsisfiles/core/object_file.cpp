#include "object_file.h"

#include <cstring>
#include <new>

namespace {

// Reads the records in file order; every count is checked against the bytes
// left before anything is allocated for it.
class ObjectFileParser {
public:
    ObjectFileParser(const uint8_t* buffer, size_t size) : m_start(buffer), m_size(size) {}

    int32_t Parse(ObiObjectList& objects) {
        OBIHeaderPacker header;
        if (header.Unpack(m_start, m_size) != kObiOk ||
            std::memcmp(header.record.magic, "ASOI", 4) != 0)
            return kObiBadData;
        m_position = header.Size();
        m_header = header.record;

        const int32_t objectCount = m_header.objectCount;
        if (objectCount < 0 || Remaining() / sizeof(ObiLocationRecord) < size_t(objectCount))
            return kObiBadData;
        std::vector<OBIObjLocationPacker> locations(static_cast<size_t>(objectCount));
        for (OBIObjLocationPacker& location : locations)
            if (!Take(location))
                return kObiBadData;

        objects.reserve(locations.size());
        for (const OBIObjLocationPacker& location : locations) {
            const int32_t result = ParseObject(location.record, objects);
            if (result != kObiOk)
                return result;
        }
        return kObiOk;
    }

private:
    size_t Remaining() const { return m_size - m_position; }

    bool Take(PackUnit& unit) {
        if (unit.Unpack(m_start + m_position, Remaining()) != kObiOk)
            return false;
        m_position += unit.Size();
        return true;
    }

    bool FrameFits(const ObiFrameInfoRecord& frame) const {
        return frame.w != 0 && frame.h != 0 && frame.x + frame.w <= m_header.frameWidth &&
               frame.y + frame.h <= m_header.frameHeight;
    }

    int32_t ParseObject(const ObiLocationRecord& location, ObiObjectList& objects) {
        const size_t blockStart = m_position;
        OBIObjInfoPacker info;
        if (!Take(info))
            return kObiBadData;
        const ObiInfoRecord& record = info.record;
        const int32_t frameCount = record.frameCount;
        if (frameCount < 0 ||
            location.blockLength !=
                static_cast<int64_t>(sizeof(ObiInfoRecord)) +
                    static_cast<int64_t>(sizeof(ObiFrameInfoRecord)) * frameCount ||
            location.blockOffset != static_cast<int64_t>(blockStart) ||
            location.objectId != record.objectId || location.tubeId != record.tubeId ||
            Remaining() / sizeof(ObiFrameInfoRecord) < size_t(frameCount))
            return kObiBadData;

        auto object = std::make_unique<ObiObject>();
        info.FillObject(m_header, *object);
        object->frames.resize(static_cast<size_t>(frameCount));
        for (ObiFrame& frame : object->frames) {
            OBIObjFrmInfoPacker packed;
            if (!Take(packed) || !FrameFits(packed.record))
                return kObiBadData;
            packed.FillFrame(frame);
        }
        objects.push_back(std::move(object));
        return kObiOk;
    }

    const uint8_t* m_start;
    size_t m_size;
    size_t m_position = 0;
    ObiHeaderRecord m_header;
};

} // namespace

int32_t ParseObjectFile(const uint8_t* buffer, size_t size, ObiObjectList& objects,
                        int32_t& count) {
    FreeObjects(objects, count);
    if (buffer == nullptr || size == 0)
        return kObiNullInput;
    int32_t result = kObiOk;
    try {
        result = ObjectFileParser(buffer, size).Parse(objects);
    } catch (const std::bad_alloc&) {
        result = kObiOutOfMemory;
    }
    if (result != kObiOk)
        FreeObjects(objects, count);
    else
        count = static_cast<int32_t>(objects.size());
    return result;
}

void FreeObjects(ObiObjectList& objects, int32_t& count) {
    ObiObjectList().swap(objects);
    count = 0;
}

void ExtractObjectTrack(const ObiObjectList& objects, int32_t objectId, int32_t tubeId,
                        Track& track, int32_t frameOffset) {
    track.clear();
    // The two identifiers are compared one by one: folding them into one
    // 64-bit key with a sign-extended object identifier would let a negative
    // identifier match an object of the previous tube.
    for (const std::unique_ptr<ObiObject>& object : objects) {
        if (object == nullptr || object->objectId != objectId || object->tubeId != tubeId)
            continue;
        for (const ObiFrame& frame : object->frames) {
            TrackBox box;
            box.frame = OffsetFrame(frame.frameNumber, frameOffset);
            box.refWidth = static_cast<uint16_t>(object->frameWidth);
            box.refHeight = static_cast<uint16_t>(object->frameHeight);
            box.x = frame.x;
            box.y = frame.y;
            box.w = frame.w;
            box.h = frame.h;
            track.push_back(box);
        }
    }
    track.push_back(kObjectTrackEnd);
}
