// Big-endian (network order) integers in byte buffers: the media protocol and
// the synopsis metadata block are both written in this order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class BigEndianWriter {
public:
    explicit BigEndianWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void U16(uint16_t v) { Put(v, 2); }
    void U32(uint32_t v) { Put(v, 4); }
    void U64(uint64_t v) { Put(v, 8); }
    void Bytes(std::span<const uint8_t> bytes) {
        m_out.insert(m_out.end(), bytes.begin(), bytes.end());
    }
    // A text as a 16-bit length and its bytes (the caller keeps it short).
    void Text(std::string_view text) {
        U16(static_cast<uint16_t>(text.size()));
        m_out.insert(m_out.end(), text.begin(), text.end());
    }

private:
    void Put(uint64_t v, int width) {
        for (int i = width - 1; i >= 0; --i)
            m_out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t>& m_out;
};

// Reads from a byte span without ever passing its end: a read that does not
// fit marks the reader failed and yields zero or nothing.
class BigEndianReader {
public:
    explicit BigEndianReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    uint16_t U16() { return static_cast<uint16_t>(Get(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Get(4)); }
    uint64_t U64() { return Get(8); }
    std::span<const uint8_t> Bytes(size_t count) {
        if (!Fits(count))
            return {};
        const auto bytes = m_bytes.subspan(m_at, count);
        m_at += count;
        return bytes;
    }
    // A text written by BigEndianWriter::Text, refused when longer than limit.
    std::string Text(size_t limit) {
        const size_t length = U16();
        if (length > limit) {
            m_failed = true;
            return std::string();
        }
        const auto bytes = Bytes(length);
        return std::string(bytes.begin(), bytes.end());
    }
    std::span<const uint8_t> Rest() { return Bytes(m_bytes.size() - m_at); }

    bool Failed() const { return m_failed; }
    // True when every byte was read and nothing failed.
    bool AtEnd() const { return !m_failed && m_at == m_bytes.size(); }

private:
    bool Fits(size_t count) {
        if (m_failed || count > m_bytes.size() - m_at) {
            m_failed = true;
            return false;
        }
        return true;
    }
    uint64_t Get(int width) {
        if (!Fits(static_cast<size_t>(width)))
            return 0;
        uint64_t v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | m_bytes[m_at + static_cast<size_t>(i)];
        m_at += static_cast<size_t>(width);
        return v;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_at = 0;
    bool m_failed = false;
};
