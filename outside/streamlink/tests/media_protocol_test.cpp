// The media protocol: every message survives encoding and parsing, streams
// split anywhere reassemble, and bytes that are not the protocol are refused.
#include "media_protocol.h"

#include <gtest/gtest.h>

namespace {

using namespace media;

std::vector<Request> ReadAll(const std::vector<uint8_t>& bytes, size_t piece) {
    RequestReader reader;
    std::vector<Request> requests;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        reader.Feed(std::span(bytes).subspan(at, std::min(piece, bytes.size() - at)));
        Request request;
        while (reader.Next(request) == RequestReader::Status::kMessage)
            requests.push_back(request);
    }
    return requests;
}

std::optional<Reply> ParseWhole(const std::vector<uint8_t>& bytes) {
    const auto header = ParseReplyHeader(bytes);
    if (!header || bytes.size() != kHeaderSize + header->length)
        return std::nullopt;
    return ParseReply(header->type, std::span(bytes).subspan(kHeaderSize));
}

TEST(MediaRequests, SurviveAStreamSplitAnywhere) {
    std::vector<uint8_t> bytes;
    AppendRequest(LoginRequest{1, "kerbo", "kerbo"}, bytes);
    AppendRequest(OpenRequest{7, "E:\\AstRP_1v2\\summary\\12\\summary.mp4"}, bytes);
    AppendRequest(PlayRequest{}, bytes);
    AppendRequest(SeekRequest{8, 123456}, bytes);
    AppendRequest(PauseRequest{}, bytes);
    AppendRequest(CloseRequest{9}, bytes);
    for (size_t piece : {size_t{1}, size_t{3}, size_t{7}, bytes.size()}) {
        const auto requests = ReadAll(bytes, piece);
        ASSERT_EQ(6u, requests.size()) << "pieces of " << piece;
        const auto& login = std::get<LoginRequest>(requests[0]);
        EXPECT_EQ("kerbo", login.user);
        EXPECT_EQ("kerbo", login.password);
        EXPECT_EQ(1u, login.version);
        EXPECT_EQ("E:\\AstRP_1v2\\summary\\12\\summary.mp4",
                  std::get<OpenRequest>(requests[1]).path);
        EXPECT_EQ(7u, std::get<OpenRequest>(requests[1]).token);
        EXPECT_TRUE(std::holds_alternative<PlayRequest>(requests[2]));
        EXPECT_EQ(123456u, std::get<SeekRequest>(requests[3]).frame);
        EXPECT_EQ(8u, std::get<SeekRequest>(requests[3]).token);
        EXPECT_TRUE(std::holds_alternative<PauseRequest>(requests[4]));
        EXPECT_EQ(9u, std::get<CloseRequest>(requests[5]).token);
    }
}

TEST(MediaRequests, ForeignOrMalformedBytesBreakTheStreamForGood) {
    const auto broken = [](std::vector<uint8_t> bytes) {
        RequestReader reader;
        reader.Feed(bytes);
        Request request;
        const auto first = reader.Next(request);
        // Appending a good request afterwards does not revive the stream.
        std::vector<uint8_t> good;
        AppendRequest(PlayRequest{}, good);
        reader.Feed(good);
        return first == RequestReader::Status::kBroken &&
               reader.Next(request) == RequestReader::Status::kBroken;
    };
    const std::string http = "GET / HTTP/1.1\r\n\r\n";
    EXPECT_TRUE(broken(std::vector<uint8_t>(http.begin(), http.end())));
    // A reply type is not a request.
    EXPECT_TRUE(broken({0x80, 0x01, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0}));
    // The second header word must be zero.
    EXPECT_TRUE(broken({0x00, 0x03, 0, 1, 0, 0, 0, 0}));
    // Longer than any request may be, before the payload even arrives.
    EXPECT_TRUE(broken({0x00, 0x02, 0, 0, 0, 0, 0x08, 0x01}));
    // PLAY carries nothing; a trailing byte is refused.
    EXPECT_TRUE(broken({0x00, 0x03, 0, 0, 0, 0, 0, 1, 0}));
    // A text length running past its payload.
    EXPECT_TRUE(broken({0x00, 0x02, 0, 0, 0, 0, 0, 6, 0, 0, 0, 1, 0, 9}));
}

TEST(MediaRequests, TextsOverTheLimitAreRefused) {
    std::vector<uint8_t> bytes;
    AppendRequest(OpenRequest{1, std::string(kMaxTextLength, 'a')}, bytes);
    EXPECT_EQ(1u, ReadAll(bytes, bytes.size()).size());
    bytes.clear();
    AppendRequest(OpenRequest{1, std::string(kMaxTextLength + 1, 'a')}, bytes);
    EXPECT_TRUE(ReadAll(bytes, bytes.size()).empty());
}

TEST(MediaReplies, OpenReplyCarriesTheMediaOnlyWhenOpened) {
    MediaInfo info{704, 576, 25, 1, 3000, PixelFormat::kI420, kMediaHasMetadata};
    std::vector<uint8_t> bytes;
    AppendReply(OpenReply{5, kOpenOk, info}, bytes);
    auto reply = ParseWhole(bytes);
    ASSERT_TRUE(reply);
    EXPECT_EQ(info, std::get<OpenReply>(*reply).info);
    EXPECT_EQ(5u, std::get<OpenReply>(*reply).token);

    bytes.clear();
    AppendReply(OpenReply{6, kOpenNotFound, info}, bytes);
    EXPECT_EQ(kHeaderSize + 8, bytes.size());
    reply = ParseWhole(bytes);
    ASSERT_TRUE(reply);
    EXPECT_EQ(kOpenNotFound, std::get<OpenReply>(*reply).result);
}

TEST(MediaReplies, MediaOutsideTheLimitsIsRefused) {
    const auto parses = [](MediaInfo info) {
        std::vector<uint8_t> bytes;
        AppendReply(OpenReply{1, kOpenOk, info}, bytes);
        return ParseWhole(bytes).has_value();
    };
    const MediaInfo good{704, 576, 25, 1, 10, PixelFormat::kBgra32, 0};
    EXPECT_TRUE(parses(good));
    MediaInfo bad = good;
    bad.width = 0;
    EXPECT_FALSE(parses(bad));
    bad = good;
    bad.height = kMaxPictureSide + 1;
    EXPECT_FALSE(parses(bad));
    bad = good;
    bad.rateNumerator = 0;
    EXPECT_FALSE(parses(bad));
    bad = good;
    bad.rateDenominator = 0;
    EXPECT_FALSE(parses(bad));
    bad = good;
    bad.rateNumerator = kMaxFrameRate + 1;
    EXPECT_FALSE(parses(bad));
    bad = good;
    bad.format = static_cast<PixelFormat>(3);
    EXPECT_FALSE(parses(bad));
}

TEST(MediaReplies, FrameKeepsMetadataAndPictureApart) {
    const std::vector<uint8_t> metadata = {1, 2, 3};
    const std::vector<uint8_t> picture(4 * 2 + 2 * 2 * 1, 0x55); // 4 x 2, I420
    std::vector<uint8_t> bytes;
    AppendFrame(FrameMessage{3, 9, 360, kFrameStill, metadata, picture}, bytes);
    const auto reply = ParseWhole(bytes);
    ASSERT_TRUE(reply);
    const auto& frame = std::get<FrameMessage>(*reply);
    EXPECT_EQ(3u, frame.token);
    EXPECT_EQ(9u, frame.index);
    EXPECT_EQ(360u, frame.timeMs);
    EXPECT_EQ(kFrameStill, frame.flags);
    EXPECT_EQ(metadata, std::vector<uint8_t>(frame.metadata.begin(), frame.metadata.end()));
    EXPECT_EQ(picture, std::vector<uint8_t>(frame.picture.begin(), frame.picture.end()));

    const MediaInfo info{4, 2, 25, 1, 10, PixelFormat::kI420, 0};
    EXPECT_TRUE(FrameFitsMedia(frame, info));
    MediaInfo shorter = info;
    shorter.frameCount = 9;
    EXPECT_FALSE(FrameFitsMedia(frame, shorter));
    MediaInfo wider = info;
    wider.width = 6;
    EXPECT_FALSE(FrameFitsMedia(frame, wider));
    MediaInfo rgb = info;
    rgb.format = PixelFormat::kBgra32;
    EXPECT_FALSE(FrameFitsMedia(frame, rgb));
}

TEST(MediaReplies, MetadataLengthPastThePayloadIsRefused) {
    // token, index, time, flags, metadata length 5 with only 4 bytes left.
    const std::vector<uint8_t> payload = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                                          0, 0, 0, 0, 0, 0, 0, 5, 1, 2, 3, 4};
    EXPECT_FALSE(ParseReply(kFrame, payload));
    EXPECT_FALSE(ParseReply(kEnd, std::vector<uint8_t>{0, 0, 0}));
    EXPECT_FALSE(ParseReply(kOpen, std::vector<uint8_t>{0, 0, 0, 0})) << "a request type";
    EXPECT_FALSE(ParseReplyHeader(std::vector<uint8_t>{0x80, 0x03, 0, 0, 0xFF, 0, 0, 0}))
        << "longer than the largest frame";
}

// A reader allocates what a header announces before the payload arrives:
// only frames may announce a picture's worth of bytes.
TEST(MediaReplies, OnlyFramesMayAnnounceLargePayloads) {
    const auto header = [](uint16_t type, uint32_t length) {
        return std::vector<uint8_t>{static_cast<uint8_t>(type >> 8),
                                    static_cast<uint8_t>(type),
                                    0,
                                    0,
                                    static_cast<uint8_t>(length >> 24),
                                    static_cast<uint8_t>(length >> 16),
                                    static_cast<uint8_t>(length >> 8),
                                    static_cast<uint8_t>(length)};
    };
    const uint32_t aPicture = 1280 * 720 * 4;
    EXPECT_TRUE(ParseReplyHeader(header(kFrame, aPicture)));
    EXPECT_TRUE(ParseReplyHeader(header(kFrame, static_cast<uint32_t>(kMaxReplyPayload))));
    for (const uint16_t type : {kLoginReply, kOpenReply, kEnd, kClosed}) {
        EXPECT_FALSE(ParseReplyHeader(header(type, aPicture))) << type;
        EXPECT_FALSE(ParseReplyHeader(header(type, kMaxControlReplyPayload + 1))) << type;
        EXPECT_TRUE(ParseReplyHeader(header(type, kMaxControlReplyPayload))) << type;
    }
    // Every reply the service sends stays within its limit.
    std::vector<uint8_t> bytes;
    AppendReply(OpenReply{3, kOpenOk, MediaInfo{704, 576, 25, 1, 3000, PixelFormat::kI420, 1}},
                bytes);
    EXPECT_TRUE(ParseWhole(bytes));
}

TEST(MediaInfoTimes, FollowTheFrameRate) {
    MediaInfo pal{704, 576, 25, 1, 3000, PixelFormat::kI420, 0};
    EXPECT_EQ(1000u, pal.TimeOfFrameMs(25));
    EXPECT_EQ(120000u, pal.DurationMs());
    MediaInfo ntsc{704, 480, 30000, 1001, 30, PixelFormat::kI420, 0};
    EXPECT_EQ(1001u, ntsc.DurationMs());
    EXPECT_EQ(33u, ntsc.TimeOfFrameMs(1));
}

TEST(PictureSizes, RoundChromaUpForOddSides) {
    EXPECT_EQ(704u * 576 * 3 / 2, PictureBytes(PixelFormat::kI420, 704, 576));
    EXPECT_EQ(9u + 2 * 4, PictureBytes(PixelFormat::kI420, 3, 3));
    EXPECT_EQ(640u * 480 * 4, PictureBytes(PixelFormat::kBgra32, 640, 480));
    EXPECT_EQ(0u, PictureBytes(PixelFormat::kBgra32, 0, 480));
    EXPECT_EQ(0u, PictureBytes(PixelFormat::kI420, kMaxPictureSide + 1, 2));
}

TEST(RequestSummaries, NameTheRequestWithoutThePassword) {
    EXPECT_EQ("LOGIN", Summarize(LoginRequest{1, "kerbo", "secret"}).name);
    EXPECT_EQ("kerbo", Summarize(LoginRequest{1, "kerbo", "secret"}).argument);
    EXPECT_EQ("SEEK", Summarize(SeekRequest{1, 250}).name);
    EXPECT_EQ("250", Summarize(SeekRequest{1, 250}).argument);
    EXPECT_EQ("E:\\x.mp4", Summarize(OpenRequest{1, "E:\\x.mp4"}).argument);
}

} // namespace
