// One media-service client without sockets: logging in, opening by server
// path, pacing, pausing, seeking, the end of the media and closing.
#include "media_session.h"
#include "sample_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = MediaSession::Clock;

// Every reply in out, with frames copied out of the buffer.
struct Replies {
    std::vector<media::Reply> all;
    std::vector<std::vector<uint8_t>> buffers;

    template <class T> std::vector<T> Of() const {
        std::vector<T> found;
        for (const auto& reply : all)
            if (std::holds_alternative<T>(reply))
                found.push_back(std::get<T>(reply));
        return found;
    }
};

Replies Parse(std::vector<uint8_t>& out) {
    Replies replies;
    replies.buffers.push_back(std::move(out));
    out.clear();
    const std::vector<uint8_t>& bytes = replies.buffers.back();
    size_t at = 0;
    while (at < bytes.size()) {
        const auto header = media::ParseReplyHeader(std::span(bytes).subspan(at));
        EXPECT_TRUE(header);
        if (!header)
            break;
        const auto reply = media::ParseReply(
            header->type, std::span(bytes).subspan(at + media::kHeaderSize, header->length));
        EXPECT_TRUE(reply);
        if (reply)
            replies.all.push_back(*reply);
        at += media::kHeaderSize + header->length;
    }
    return replies;
}

SampleVideo TenFrames() {
    SampleVideo video;
    video.width = 16;
    video.height = 8;
    video.fps = 25;
    video.frameCount = 10;
    SceneObject o;
    o.objectId = 1;
    o.tubeId = 1;
    o.firstFrame = 0;
    o.lastFrame = 9;
    o.w = o.h = 4;
    o.synopsisStart = 0;
    video.objects.push_back(o);
    return video;
}

class MediaSessionTest : public ::testing::Test {
protected:
    MediaSessionTest()
        : session([](const std::string& path, SampleVideo& video) {
              if (path == "ten")
                  video = TenFrames();
              else if (path == "huge") {
                  video = TenFrames();
                  video.width = 8000;
              } else
                  return MediaLookup::kNotFound;
              return MediaLookup::kFound;
          }) {}

    Replies Send(const media::Request& request) {
        session.Handle(request, now, out);
        return Parse(out);
    }
    void OpenTen() {
        Send(media::LoginRequest{1, "kerbo", "kerbo"});
        const auto open = Send(media::OpenRequest{1, "ten"}).Of<media::OpenReply>();
        ASSERT_EQ(1u, open.size());
        ASSERT_EQ(media::kOpenOk, open[0].result);
    }
    // Sends every frame due up to the given time.
    Replies RunUntil(Clock::time_point until) {
        for (auto due = session.NextFrameDue(); due && *due <= until; due = session.NextFrameDue())
            session.AppendDueFrame(out);
        return Parse(out);
    }

    MediaSession session;
    std::vector<uint8_t> out;
    Clock::time_point now = Clock::now();
};

TEST_F(MediaSessionTest, OnlyTheKnownCredentialMayOpen) {
    EXPECT_EQ(media::kOpenNotLoggedIn,
              Send(media::OpenRequest{1, "ten"}).Of<media::OpenReply>()[0].result);
    EXPECT_EQ(media::kLoginRefused,
              Send(media::LoginRequest{1, "kerbo", "other"}).Of<media::LoginReply>()[0].result);
    EXPECT_EQ(media::kLoginBadVersion,
              Send(media::LoginRequest{2, "kerbo", "kerbo"}).Of<media::LoginReply>()[0].result);
    EXPECT_EQ(media::kOpenNotLoggedIn,
              Send(media::OpenRequest{1, "ten"}).Of<media::OpenReply>()[0].result);
    EXPECT_EQ(media::kLoginOk,
              Send(media::LoginRequest{1, "kerbo", "kerbo"}).Of<media::LoginReply>()[0].result);
    const auto open = Send(media::OpenRequest{4, "ten"}).Of<media::OpenReply>()[0];
    EXPECT_EQ(media::kOpenOk, open.result);
    EXPECT_EQ(4u, open.token);
    EXPECT_EQ(16u, open.info.width);
    EXPECT_EQ(10u, open.info.frameCount);
    EXPECT_EQ(media::kMediaHasMetadata, open.info.flags);
    EXPECT_EQ(media::kOpenNotFound,
              Send(media::OpenRequest{5, "none"}).Of<media::OpenReply>()[0].result);
    EXPECT_FALSE(session.HasMedia()) << "a failed open closes what was open";
    EXPECT_EQ(media::kOpenCannotPlay,
              Send(media::OpenRequest{6, "huge"}).Of<media::OpenReply>()[0].result);
}

TEST_F(MediaSessionTest, FramesArePacedAtTheFrameRateUntilTheEnd) {
    OpenTen();
    EXPECT_FALSE(session.NextFrameDue()) << "nothing is sent before play";
    Send(media::PlayRequest{});
    EXPECT_EQ(now, *session.NextFrameDue());
    auto frames = RunUntil(now + 100ms).Of<media::FrameMessage>();
    ASSERT_EQ(3u, frames.size()) << "frames 0, 1 and 2 are due by 80 ms";
    EXPECT_EQ(2u, frames[2].index);
    EXPECT_EQ(80u, frames[2].timeMs);
    EXPECT_EQ(1u, frames[2].token);
    EXPECT_FALSE(frames[2].metadata.empty());
    EXPECT_EQ(now + 120ms, *session.NextFrameDue());

    const auto rest = RunUntil(now + 1s);
    ASSERT_EQ(7u, rest.Of<media::FrameMessage>().size());
    EXPECT_EQ(9u, rest.Of<media::FrameMessage>().back().index);
    ASSERT_EQ(1u, rest.Of<media::EndReply>().size());
    EXPECT_TRUE(std::holds_alternative<media::EndReply>(rest.all.back()));
    EXPECT_FALSE(session.NextFrameDue());

    // Play at the end starts over.
    now += 2s;
    Send(media::PlayRequest{});
    EXPECT_EQ(0u, RunUntil(now).Of<media::FrameMessage>()[0].index);
}

TEST_F(MediaSessionTest, PauseStopsThePaceAndPlayResumesFromThere) {
    OpenTen();
    Send(media::PlayRequest{});
    RunUntil(now + 50ms);
    Send(media::PauseRequest{});
    EXPECT_FALSE(session.NextFrameDue());
    now += 10s;
    Send(media::PlayRequest{});
    EXPECT_EQ(now, *session.NextFrameDue()) << "no catching up for the paused time";
    EXPECT_EQ(2u, RunUntil(now).Of<media::FrameMessage>()[0].index);
}

TEST_F(MediaSessionTest, SeekingRetagsTheFramesAndShowsOneStillWhilePaused) {
    OpenTen();
    Send(media::SeekRequest{7, 6});
    auto still = RunUntil(now).Of<media::FrameMessage>();
    ASSERT_EQ(1u, still.size());
    EXPECT_EQ(6u, still[0].index);
    EXPECT_EQ(7u, still[0].token);
    EXPECT_EQ(media::kFrameStill, still[0].flags);
    EXPECT_FALSE(session.NextFrameDue());

    Send(media::PlayRequest{});
    auto frames = RunUntil(now + 40ms).Of<media::FrameMessage>();
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(6u, frames[0].index);
    EXPECT_EQ(0u, frames[0].flags);

    // Past the end: the last frame.
    Send(media::SeekRequest{8, 500});
    frames = RunUntil(now + 40ms).Of<media::FrameMessage>();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(9u, frames[0].index);
    EXPECT_EQ(8u, frames[0].token);
}

TEST_F(MediaSessionTest, CloseIsAnsweredEvenWithNothingOpen) {
    auto closed = Send(media::CloseRequest{3}).Of<media::ClosedReply>();
    ASSERT_EQ(1u, closed.size());
    EXPECT_EQ(3u, closed[0].token);
    EXPECT_EQ(media::kClosedByClient, closed[0].reason);

    OpenTen();
    Send(media::PlayRequest{});
    Send(media::CloseRequest{4});
    EXPECT_FALSE(session.NextFrameDue());
    EXPECT_FALSE(session.HasMedia());
    session.AppendServerClosing(out);
    EXPECT_TRUE(out.empty()) << "nothing open, nothing to tell";
}

TEST_F(MediaSessionTest, ServerClosingTellsAClientWithOpenMedia) {
    OpenTen();
    session.AppendServerClosing(out);
    const auto closed = Parse(out).Of<media::ClosedReply>();
    ASSERT_EQ(1u, closed.size());
    EXPECT_EQ(media::kClosedByServer, closed[0].reason);
}

TEST(FolderMediaOpener, FindsServerPathsBelowTheDataFolderOnly) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("media_opener_test_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::string error;
    ASSERT_TRUE(WriteSampleData(MakeSampleData(), dir, error)) << error;
    const MediaOpener open = FolderMediaOpener(FilesRoot(dir));
    SampleVideo video;
    EXPECT_EQ(MediaLookup::kFound, open("E:\\AstRP_1v2\\summary\\12\\summary.mp4", video));
    EXPECT_EQ(704, video.width);
    EXPECT_EQ(MediaLookup::kFound, open("e:\\astrp_1v2\\video\\12\\cam01.mp4", video));
    EXPECT_EQ(MediaLookup::kNotFound, open("E:\\AstRP_1v2\\summary\\12\\none.mp4", video));
    EXPECT_EQ(MediaLookup::kNotFound, open("E:\\AstRP_1v2\\..\\catalog.ini", video));
    EXPECT_EQ(MediaLookup::kNotFound, open("C:\\AstRP_1v2\\summary\\12\\summary.mp4", video));
    EXPECT_EQ(MediaLookup::kNotFound, open("summary/12/summary.mp4", video));
    EXPECT_EQ(MediaLookup::kNotFound, open("E:\\AstRP_1v2\\summary", video)) << "a folder";
    EXPECT_EQ(MediaLookup::kUnreadable, open("E:\\AstRP_1v2\\tube\\12\\12.tbi", video));
    std::filesystem::remove_all(dir);
}

} // namespace
