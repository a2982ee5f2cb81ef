#include "multibyte_chunks.h"

namespace {

// Length of the UTF-8 sequence a lead byte starts; 1 for anything else, so
// stray or invalid bytes are passed on for the converter to judge.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    return 1;
}

size_t CompleteUtf8Length(const unsigned char* data, size_t size) {
    // Only the last three bytes can belong to an unfinished sequence.
    const size_t lookBack = size < 3 ? size : 3;
    for (size_t back = 1; back <= lookBack; ++back) {
        const unsigned char byte = data[size - back];
        if ((byte & 0xC0) == 0x80)
            continue; // continuation byte: keep looking for its lead
        const size_t need = Utf8SequenceLength(byte);
        return need > back ? size - back : size;
    }
    return size;
}

size_t CompleteDoubleByteLength(const CodePageShape& shape, const unsigned char* data,
                                size_t size) {
    size_t i = 0;
    while (i < size) {
        if (shape.leadByte[data[i]]) {
            if (i + 1 >= size)
                return i; // lead byte whose trail byte is in the next chunk
            i += 2;
        } else {
            ++i;
        }
    }
    return size;
}

} // namespace

size_t CompleteCharsLength(const CodePageShape& shape, const unsigned char* data, size_t size) {
    switch (shape.kind) {
    case CodePageShape::Kind::DoubleByte:
        return CompleteDoubleByteLength(shape, data, size);
    case CodePageShape::Kind::Utf8:
        return CompleteUtf8Length(data, size);
    case CodePageShape::Kind::SingleByte:
        break;
    }
    return size;
}
