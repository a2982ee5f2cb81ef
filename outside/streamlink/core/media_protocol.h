// The media protocol between the streaming client (StreamLink.dll) and the
// server's media service on TCP port 1980. PROTOCOL.md beside this file
// describes the messages, their order and the reasons for the wire format.
//
// Everything here is plain data and pure functions: encoding, and parsing of
// bytes that come from the other side, which are never trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace media {

inline constexpr uint16_t kMediaPort = 1980;
inline constexpr uint32_t kProtocolVersion = 1;

// Every message starts with this header: type, a zero word, payload length.
inline constexpr size_t kHeaderSize = 8;

enum MessageType : uint16_t {
    // client -> server
    kLogin = 0x0001,
    kOpen = 0x0002,
    kPlay = 0x0003,
    kPause = 0x0004,
    kSeek = 0x0005,
    kClose = 0x0006,
    // server -> client
    kLoginReply = 0x8001,
    kOpenReply = 0x8002,
    kFrame = 0x8003,
    kEnd = 0x8004,
    kClosed = 0x8005,
};

// Limits that bound what either side accepts.
inline constexpr size_t kMaxRequestPayload = 2048;
inline constexpr size_t kMaxTextLength = 1024; // user, password, path
inline constexpr uint32_t kMaxPictureSide = 4096;
inline constexpr uint32_t kMaxFrameRate = 1000;
inline constexpr size_t kMaxMetadataLength = 1 << 20;
inline constexpr size_t kFrameFieldsSize = 20;
// Replies other than frames carry a few numbers only.
inline constexpr size_t kMaxControlReplyPayload = 256;
inline constexpr size_t kMaxReplyPayload =
    kFrameFieldsSize + kMaxMetadataLength + size_t{kMaxPictureSide} * kMaxPictureSide * 4;

enum class PixelFormat : uint32_t {
    // Planar YUV 4:2:0: luma width x height, then the U and V planes of
    // ceil(width/2) x ceil(height/2) each.
    kI420 = 1,
    // 32-bit blue, green, red, unused; bottom row first, as a bottom-up DIB.
    kBgra32 = 2,
};

// Bytes of one picture; 0 for an unknown format or a size out of range.
size_t PictureBytes(PixelFormat format, uint32_t width, uint32_t height);

struct MessageHeader {
    uint16_t type = 0;
    uint32_t length = 0;
};

// ---- client -> server ----------------------------------------------------

struct LoginRequest {
    uint32_t version = kProtocolVersion;
    std::string user;
    std::string password;
};
// Opens a media file by its server path. token tags the frames that follow.
struct OpenRequest {
    uint32_t token = 0;
    std::string path;
};
struct PlayRequest {};
struct PauseRequest {};
// Positions to an absolute frame; the frames that follow carry token.
struct SeekRequest {
    uint32_t token = 0;
    uint32_t frame = 0;
};
struct CloseRequest {
    uint32_t token = 0;
};

using Request =
    std::variant<LoginRequest, OpenRequest, PlayRequest, PauseRequest, SeekRequest, CloseRequest>;

// ---- server -> client ----------------------------------------------------

enum LoginResult : uint32_t { kLoginOk = 0, kLoginRefused = 1, kLoginBadVersion = 2 };
enum OpenResult : uint32_t {
    kOpenOk = 0,
    kOpenNotFound = 1,
    kOpenCannotPlay = 2,
    kOpenNotLoggedIn = 3,
};
enum MediaFlags : uint32_t { kMediaHasMetadata = 1 };
enum FrameFlags : uint32_t { kFrameStill = 1 }; // sent while paused, after a seek
enum ClosedReason : uint32_t { kClosedByClient = 0, kClosedByServer = 1 };

struct MediaInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t rateNumerator = 25; // frames per second = numerator / denominator
    uint32_t rateDenominator = 1;
    uint32_t frameCount = 0;
    PixelFormat format = PixelFormat::kI420;
    uint32_t flags = 0;

    // Milliseconds from the start of the media to the start of frame index.
    uint32_t TimeOfFrameMs(uint32_t index) const;
    uint32_t DurationMs() const { return TimeOfFrameMs(frameCount); }
    bool operator==(const MediaInfo&) const = default;
};
// Sizes within limits, a known format, a rate above 0 and at most 1000.
bool IsValidMediaInfo(const MediaInfo& info);

struct LoginReply {
    uint32_t result = kLoginOk;
};
struct OpenReply {
    uint32_t token = 0;
    uint32_t result = kOpenOk;
    MediaInfo info; // only when result is kOpenOk
};
// One picture with its metadata block; the spans view the parsed payload.
struct FrameMessage {
    uint32_t token = 0;
    uint32_t index = 0;
    uint32_t timeMs = 0;
    uint32_t flags = 0;
    std::span<const uint8_t> metadata;
    std::span<const uint8_t> picture;
};
// Sent after the last frame of the media.
struct EndReply {
    uint32_t token = 0;
};
struct ClosedReply {
    uint32_t token = 0;
    uint32_t reason = kClosedByClient;
};

using Reply = std::variant<LoginReply, OpenReply, FrameMessage, EndReply, ClosedReply>;

// ---- encoding ------------------------------------------------------------

// Appends the whole message (header and payload) to out.
void AppendRequest(const Request& request, std::vector<uint8_t>& out);
void AppendReply(const LoginReply& reply, std::vector<uint8_t>& out);
void AppendReply(const OpenReply& reply, std::vector<uint8_t>& out);
void AppendReply(const EndReply& reply, std::vector<uint8_t>& out);
void AppendReply(const ClosedReply& reply, std::vector<uint8_t>& out);
void AppendFrame(const FrameMessage& frame, std::vector<uint8_t>& out);

// ---- parsing -------------------------------------------------------------

// The header of bytes[0..8), or nothing when the type is not one the reader
// expects from its peer or the payload would exceed that peer's limit.
std::optional<MessageHeader> ParseRequestHeader(std::span<const uint8_t> bytes);
std::optional<MessageHeader> ParseReplyHeader(std::span<const uint8_t> bytes);

// A payload of the given type, or nothing when it does not have exactly the
// form of that type.
std::optional<Request> ParseRequest(uint16_t type, std::span<const uint8_t> payload);
std::optional<Reply> ParseReply(uint16_t type, std::span<const uint8_t> payload);

// Whether a frame fits the media it claims to belong to: index within the
// media, picture of the media's size and format, metadata within its limit.
bool FrameFitsMedia(const FrameMessage& frame, const MediaInfo& info);

// Splits a byte stream into requests (the server's side). Bytes arrive in
// any pieces; Next yields whole messages in order.
class RequestReader {
public:
    void Feed(std::span<const uint8_t> bytes);
    enum class Status { kMessage, kNeedMore, kBroken };
    // kMessage fills request; kBroken means the peer does not speak the
    // protocol and the connection should end (Next keeps returning kBroken).
    Status Next(Request& request);

private:
    std::vector<uint8_t> m_buffer;
    size_t m_at = 0;
    bool m_broken = false;
};

// A short text naming a request for logs: ("OPEN", "E:\\...") and the like.
struct RequestSummary {
    std::string name;
    std::string argument;
};
RequestSummary Summarize(const Request& request);

} // namespace media
