// Joining a multibyte text that arrives in chunks, so that a character split
// between two chunks is converted whole instead of being damaged.
#pragma once

#include <array>
#include <cstddef>
#include <string>

// What a code page's byte sequences look like, as far as character boundaries
// go. The Windows layer fills it from the platform's code page information.
struct CodePageShape {
    enum class Kind { SingleByte, DoubleByte, Utf8 };
    Kind kind = Kind::SingleByte;
    std::array<bool, 256> leadByte{}; // DoubleByte: bytes that start a two-byte character
};

// How many leading bytes of data (which starts on a character boundary) form
// whole characters; the rest is the start of a character that continues in the
// next chunk.
size_t CompleteCharsLength(const CodePageShape& shape, const unsigned char* data, size_t size);

// Feeds chunks through a converter, holding back an incomplete trailing
// character until the next chunk completes it. Convert is called with
// (const char* bytes, size_t count) and only with whole characters, except by
// Finish, which hands over whatever is still held back.
class MultibyteChunkJoiner {
public:
    explicit MultibyteChunkJoiner(const CodePageShape& shape) : m_shape(shape) {}

    template <typename Convert> void Feed(const char* data, size_t size, Convert&& convert) {
        const char* bytes = data;
        size_t count = size;
        if (!m_pending.empty()) {
            m_pending.append(data, size);
            bytes = m_pending.data();
            count = m_pending.size();
        }
        const size_t whole =
            CompleteCharsLength(m_shape, reinterpret_cast<const unsigned char*>(bytes), count);
        if (whole > 0)
            convert(bytes, whole);
        std::string rest(bytes + whole, count - whole);
        m_pending.swap(rest);
    }

    template <typename Convert> void Finish(Convert&& convert) {
        if (!m_pending.empty())
            convert(m_pending.data(), m_pending.size());
        m_pending.clear();
    }

private:
    CodePageShape m_shape;
    std::string m_pending;
};
