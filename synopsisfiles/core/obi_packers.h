// The object file's (.obi) fixed-size records and the packers that copy them
// between a byte buffer and memory. Records are packed and little-endian, so a
// record in memory holds exactly the file's bytes.
#pragma once

#include "synopsis_layout.h"

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "records are copied byte for byte from little-endian files");

// Result codes of the object-file reader.
inline constexpr int32_t kObiOk = 0;
inline constexpr int32_t kObiNullInput = -1; // null or empty input
inline constexpr int32_t kObiOutOfMemory = -2;
inline constexpr int32_t kObiSeekFailed = -3;
inline constexpr int32_t kObiShortBuffer = -4; // a packer's source or target is too short
inline constexpr int32_t kObiBadData = -6;     // bad or inconsistent data, or a read failure

#pragma pack(push, 1)
struct ObiHeaderRecord {
    char magic[4] = {'A', 'S', 'O', 'I'};
    uint16_t version = 1;
    uint16_t frameWidth = 0; // the analysed frame: coordinate space of every box
    uint16_t frameHeight = 0;
    int32_t objectCount = 0;
};

struct ObiLocationRecord {
    int32_t objectId = 0;
    int32_t tubeId = 0;
    int64_t blockOffset = 0; // from the start of the file
    int64_t blockLength = 0; // info record plus frame records
};

struct ObiInfoRecord {
    int32_t objectId = 0; // low half of the object key
    int32_t tubeId = 0;   // high half
    int32_t attr0 = 0;
    int32_t attr1 = 0;
    int32_t firstFrame = 0;
    int32_t frameCount = 0;
};

struct ObiFrameInfoRecord {
    int32_t frameNumber = 0;
    uint16_t x = 0, y = 0, w = 0, h = 0;
};
#pragma pack(pop)

static_assert(sizeof(ObiHeaderRecord) == kObiHeaderSize);
static_assert(sizeof(ObiLocationRecord) == kObiLocationSize);
static_assert(sizeof(ObiInfoRecord) == kObiInfoSize);
static_assert(sizeof(ObiFrameInfoRecord) == kObiFrameSize);

// One packed record that can be copied to or from a byte buffer.
class PackUnit {
public:
    // The record's size in bytes and its address; 0 and null in the base.
    virtual size_t Size() const { return 0; }
    virtual void* Data() { return nullptr; }
    const void* Data() const { return const_cast<PackUnit*>(this)->Data(); }

    // Copy Size() bytes to dest: kObiShortBuffer when capacity is too small,
    // kObiNullInput when dest or the record is null, else kObiOk.
    virtual int32_t Pack(void* dest, size_t capacity) const;
    // Copy Size() bytes from src: kObiShortBuffer when fewer are available,
    // kObiNullInput when src is null, else kObiOk.
    virtual int32_t Unpack(const void* src, size_t available);

    virtual ~PackUnit() = default; // last in the virtual table
};

template <class Record> class RecordPacker : public PackUnit {
public:
    Record record;

    size_t Size() const override { return sizeof(Record); }
    void* Data() override { return &record; }
};

struct ObiObject;
struct ObiFrame;

class OBIHeaderPacker : public RecordPacker<ObiHeaderRecord> {};

class OBIObjLocationPacker : public RecordPacker<ObiLocationRecord> {};

class OBIObjInfoPacker : public RecordPacker<ObiInfoRecord> {
public:
    // The loaded form of this record in a file whose header is given.
    void FillObject(const ObiHeaderRecord& header, ObiObject& object) const;
};

class OBIObjFrmInfoPacker : public RecordPacker<ObiFrameInfoRecord> {
public:
    void FillFrame(ObiFrame& frame) const;
};
