// Appends little-endian integers to a byte buffer, for the file writers.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

class ByteWriter {
public:
    void U16(uint16_t v) { Little(v, 2); }
    void I32(int32_t v) { Little(static_cast<uint32_t>(v), 4); }
    void U32(uint32_t v) { Little(v, 4); }
    void I64(int64_t v) { Little(static_cast<uint64_t>(v), 8); }
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    size_t Size() const { return m_bytes.size(); }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    void Little(uint64_t v, int width) {
        for (int i = 0; i < width; ++i)
            m_bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t> m_bytes;
};
