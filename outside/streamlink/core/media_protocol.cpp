#include "media_protocol.h"

#include "big_endian.h"
#include "yuv420.h"

#include <type_traits>

namespace media {

namespace {

void AppendHeader(uint16_t type, size_t length, std::vector<uint8_t>& out) {
    BigEndianWriter w(out);
    w.U16(type);
    w.U16(0);
    w.U32(static_cast<uint32_t>(length));
}

// Writes a payload after a header whose length is patched in afterwards.
template <class Body> void AppendMessage(uint16_t type, std::vector<uint8_t>& out, Body body) {
    const size_t start = out.size();
    AppendHeader(type, 0, out);
    BigEndianWriter w(out);
    body(w);
    const size_t length = out.size() - start - kHeaderSize;
    for (int i = 0; i < 4; ++i)
        out[start + 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (8 * (3 - i)));
}

std::optional<MessageHeader> ParseHeader(std::span<const uint8_t> bytes, bool fromClient) {
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    BigEndianReader r(bytes.first(kHeaderSize));
    MessageHeader header;
    header.type = r.U16();
    const uint16_t zero = r.U16();
    header.length = r.U32();
    if (zero != 0)
        return std::nullopt;
    const bool request = header.type >= kLogin && header.type <= kClose;
    const bool reply = header.type >= kLoginReply && header.type <= kClosed;
    if (fromClient ? !request : !reply)
        return std::nullopt;
    // A reader sizes its buffer from the header before the payload arrives,
    // so only a frame may announce a large payload.
    const size_t limit = fromClient              ? kMaxRequestPayload
                         : header.type == kFrame ? kMaxReplyPayload
                                                 : kMaxControlReplyPayload;
    if (header.length > limit)
        return std::nullopt;
    return header;
}

template <class T> std::optional<T> Finished(const BigEndianReader& r, T value) {
    if (!r.AtEnd())
        return std::nullopt;
    return value;
}

} // namespace

size_t PictureBytes(PixelFormat format, uint32_t width, uint32_t height) {
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return 0;
    switch (format) {
    case PixelFormat::kI420:
        return I420Bytes(static_cast<int>(width), static_cast<int>(height));
    case PixelFormat::kBgra32:
        return size_t{width} * height * 4;
    }
    return 0;
}

uint32_t MediaInfo::TimeOfFrameMs(uint32_t index) const {
    if (rateNumerator == 0)
        return 0;
    const uint64_t ms = uint64_t{index} * 1000 * rateDenominator / rateNumerator;
    return ms > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(ms);
}

bool IsValidMediaInfo(const MediaInfo& info) {
    if (PictureBytes(info.format, info.width, info.height) == 0)
        return false;
    if (info.rateNumerator == 0 || info.rateDenominator == 0)
        return false;
    // At most 1000 frames per second and at least one frame an hour.
    return info.rateNumerator <= uint64_t{kMaxFrameRate} * info.rateDenominator &&
           info.rateDenominator <= uint64_t{3600} * info.rateNumerator;
}

void AppendRequest(const Request& request, std::vector<uint8_t>& out) {
    std::visit(
        [&out](const auto& r) {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, LoginRequest>) {
                AppendMessage(kLogin, out, [&](BigEndianWriter& w) {
                    w.U32(r.version);
                    w.Text(r.user);
                    w.Text(r.password);
                });
            } else if constexpr (std::is_same_v<T, OpenRequest>) {
                AppendMessage(kOpen, out, [&](BigEndianWriter& w) {
                    w.U32(r.token);
                    w.Text(r.path);
                });
            } else if constexpr (std::is_same_v<T, PlayRequest>) {
                AppendMessage(kPlay, out, [](BigEndianWriter&) {});
            } else if constexpr (std::is_same_v<T, PauseRequest>) {
                AppendMessage(kPause, out, [](BigEndianWriter&) {});
            } else if constexpr (std::is_same_v<T, SeekRequest>) {
                AppendMessage(kSeek, out, [&](BigEndianWriter& w) {
                    w.U32(r.token);
                    w.U32(r.frame);
                });
            } else {
                static_assert(std::is_same_v<T, CloseRequest>);
                AppendMessage(kClose, out, [&](BigEndianWriter& w) { w.U32(r.token); });
            }
        },
        request);
}

void AppendReply(const LoginReply& reply, std::vector<uint8_t>& out) {
    AppendMessage(kLoginReply, out, [&](BigEndianWriter& w) { w.U32(reply.result); });
}

void AppendReply(const OpenReply& reply, std::vector<uint8_t>& out) {
    AppendMessage(kOpenReply, out, [&](BigEndianWriter& w) {
        w.U32(reply.token);
        w.U32(reply.result);
        if (reply.result != kOpenOk)
            return;
        const MediaInfo& i = reply.info;
        w.U32(i.width);
        w.U32(i.height);
        w.U32(i.rateNumerator);
        w.U32(i.rateDenominator);
        w.U32(i.frameCount);
        w.U32(static_cast<uint32_t>(i.format));
        w.U32(i.flags);
    });
}

void AppendReply(const EndReply& reply, std::vector<uint8_t>& out) {
    AppendMessage(kEnd, out, [&](BigEndianWriter& w) { w.U32(reply.token); });
}

void AppendReply(const ClosedReply& reply, std::vector<uint8_t>& out) {
    AppendMessage(kClosed, out, [&](BigEndianWriter& w) {
        w.U32(reply.token);
        w.U32(reply.reason);
    });
}

void AppendFrame(const FrameMessage& frame, std::vector<uint8_t>& out) {
    out.reserve(out.size() + kHeaderSize + kFrameFieldsSize + frame.metadata.size() +
                frame.picture.size());
    AppendMessage(kFrame, out, [&](BigEndianWriter& w) {
        w.U32(frame.token);
        w.U32(frame.index);
        w.U32(frame.timeMs);
        w.U32(frame.flags);
        w.U32(static_cast<uint32_t>(frame.metadata.size()));
        w.Bytes(frame.metadata);
        w.Bytes(frame.picture);
    });
}

std::optional<MessageHeader> ParseRequestHeader(std::span<const uint8_t> bytes) {
    return ParseHeader(bytes, true);
}

std::optional<MessageHeader> ParseReplyHeader(std::span<const uint8_t> bytes) {
    return ParseHeader(bytes, false);
}

std::optional<Request> ParseRequest(uint16_t type, std::span<const uint8_t> payload) {
    if (payload.size() > kMaxRequestPayload)
        return std::nullopt;
    BigEndianReader r(payload);
    switch (type) {
    case kLogin: {
        LoginRequest login;
        login.version = r.U32();
        login.user = r.Text(kMaxTextLength);
        login.password = r.Text(kMaxTextLength);
        return Finished<Request>(r, login);
    }
    case kOpen: {
        OpenRequest open;
        open.token = r.U32();
        open.path = r.Text(kMaxTextLength);
        return Finished<Request>(r, open);
    }
    case kPlay:
        return Finished<Request>(r, PlayRequest{});
    case kPause:
        return Finished<Request>(r, PauseRequest{});
    case kSeek: {
        SeekRequest seek;
        seek.token = r.U32();
        seek.frame = r.U32();
        return Finished<Request>(r, seek);
    }
    case kClose: {
        CloseRequest close;
        close.token = r.U32();
        return Finished<Request>(r, close);
    }
    }
    return std::nullopt;
}

std::optional<Reply> ParseReply(uint16_t type, std::span<const uint8_t> payload) {
    if (payload.size() > kMaxReplyPayload)
        return std::nullopt;
    BigEndianReader r(payload);
    switch (type) {
    case kLoginReply:
        return Finished<Reply>(r, LoginReply{r.U32()});
    case kOpenReply: {
        OpenReply open;
        open.token = r.U32();
        open.result = r.U32();
        if (open.result == kOpenOk) {
            MediaInfo& i = open.info;
            i.width = r.U32();
            i.height = r.U32();
            i.rateNumerator = r.U32();
            i.rateDenominator = r.U32();
            i.frameCount = r.U32();
            i.format = static_cast<PixelFormat>(r.U32());
            i.flags = r.U32();
            if (!IsValidMediaInfo(i))
                return std::nullopt;
        }
        return Finished<Reply>(r, open);
    }
    case kFrame: {
        FrameMessage frame;
        frame.token = r.U32();
        frame.index = r.U32();
        frame.timeMs = r.U32();
        frame.flags = r.U32();
        const uint32_t metadataLength = r.U32();
        if (metadataLength > kMaxMetadataLength)
            return std::nullopt;
        frame.metadata = r.Bytes(metadataLength);
        frame.picture = r.Rest();
        return Finished<Reply>(r, frame);
    }
    case kEnd: {
        EndReply end;
        end.token = r.U32();
        return Finished<Reply>(r, end);
    }
    case kClosed: {
        ClosedReply closed;
        closed.token = r.U32();
        closed.reason = r.U32();
        return Finished<Reply>(r, closed);
    }
    }
    return std::nullopt;
}

bool FrameFitsMedia(const FrameMessage& frame, const MediaInfo& info) {
    return frame.index < info.frameCount && frame.metadata.size() <= kMaxMetadataLength &&
           frame.picture.size() == PictureBytes(info.format, info.width, info.height);
}

void RequestReader::Feed(std::span<const uint8_t> bytes) {
    if (m_broken)
        return;
    // Drop what was consumed before growing the buffer again.
    if (m_at > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(m_at));
        m_at = 0;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

RequestReader::Status RequestReader::Next(Request& request) {
    if (m_broken)
        return Status::kBroken;
    const std::span<const uint8_t> pending(m_buffer.data() + m_at, m_buffer.size() - m_at);
    if (pending.size() < kHeaderSize)
        return Status::kNeedMore;
    const auto header = ParseRequestHeader(pending);
    if (!header) {
        m_broken = true;
        return Status::kBroken;
    }
    if (pending.size() - kHeaderSize < header->length)
        return Status::kNeedMore;
    auto parsed = ParseRequest(header->type, pending.subspan(kHeaderSize, header->length));
    if (!parsed) {
        m_broken = true;
        return Status::kBroken;
    }
    m_at += kHeaderSize + header->length;
    request = std::move(*parsed);
    return Status::kMessage;
}

RequestSummary Summarize(const Request& request) {
    return std::visit(
        [](const auto& r) -> RequestSummary {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, LoginRequest>)
                return {"LOGIN", r.user};
            else if constexpr (std::is_same_v<T, OpenRequest>)
                return {"OPEN", r.path};
            else if constexpr (std::is_same_v<T, PlayRequest>)
                return {"PLAY", ""};
            else if constexpr (std::is_same_v<T, PauseRequest>)
                return {"PAUSE", ""};
            else if constexpr (std::is_same_v<T, SeekRequest>)
                return {"SEEK", std::to_string(r.frame)};
            else
                return {"CLOSE", ""};
        },
        request);
}

} // namespace media
