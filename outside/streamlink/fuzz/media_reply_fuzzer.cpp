// The client's side of the media protocol over arbitrary bytes: a reply
// header, its payload, and the frame checks against an open media. Whatever
// parses must encode back to the same bytes.
#include "media_protocol.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace media;
    const std::span<const uint8_t> bytes(data, size);
    const auto header = ParseReplyHeader(bytes);
    if (!header)
        return 0;
    if (header->length > size - std::min(size, kHeaderSize))
        return 0;
    const auto payload = bytes.subspan(kHeaderSize, header->length);
    const auto reply = ParseReply(header->type, payload);
    if (!reply)
        return 0;
    std::vector<uint8_t> again;
    std::visit(
        [&](const auto& r) {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, FrameMessage>) {
                const MediaInfo info{4, 2, 25, 1, 100, PixelFormat::kI420, 0};
                if (FrameFitsMedia(r, info) && r.picture.size() != 12)
                    std::abort();
                AppendFrame(r, again);
            } else {
                AppendReply(r, again);
            }
        },
        *reply);
    if (again.size() != kHeaderSize + header->length ||
        std::memcmp(again.data(), data, again.size()) != 0)
        std::abort();
    return 0;
}
