// The media service's side over arbitrary bytes: requests split out of the
// stream, each answered by a session that streams a small synopsis, with
// frames sent as soon as they are due. Nothing may crash or read past a
// buffer, and every reply must parse on the client's side.
#include "media_session.h"

#include <cstdlib>

namespace {

SampleVideo SmallSynopsis() {
    SampleVideo video;
    video.width = 9;
    video.height = 7;
    video.fps = 25;
    video.frameCount = 5;
    SceneObject o;
    o.objectId = 1;
    o.tubeId = 1;
    o.firstFrame = 10;
    o.lastFrame = 13;
    o.x0 = -3;
    o.y0 = 2;
    o.x1 = 6;
    o.y1 = 5;
    o.w = 4;
    o.h = 3;
    o.synopsisStart = 1;
    video.objects.push_back(o);
    return video;
}

void CheckReplies(const std::vector<uint8_t>& out) {
    size_t at = 0;
    while (at < out.size()) {
        const auto header = media::ParseReplyHeader(std::span(out).subspan(at));
        if (!header || out.size() - at - media::kHeaderSize < header->length)
            std::abort();
        const auto payload = std::span(out).subspan(at + media::kHeaderSize, header->length);
        if (!media::ParseReply(header->type, payload))
            std::abort();
        at += media::kHeaderSize + header->length;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SampleVideo video = SmallSynopsis();
    MediaSession session([&video](const std::string& path, SampleVideo& out) {
        if (path.empty())
            return MediaLookup::kNotFound;
        if (path[0] == 'x')
            return MediaLookup::kUnreadable;
        out = video;
        return MediaLookup::kFound;
    });
    media::RequestReader reader;
    // Fed in two pieces, so reassembly is exercised too.
    reader.Feed(std::span(data, size / 2));
    reader.Feed(std::span(data + size / 2, size - size / 2));
    const auto now = MediaSession::Clock::now();
    std::vector<uint8_t> out;
    media::Request request;
    for (int handled = 0; handled < 64; ++handled) {
        if (reader.Next(request) != media::RequestReader::Status::kMessage)
            break;
        session.Handle(request, now, out);
        for (int frames = 0; frames < 8; ++frames) {
            const auto due = session.NextFrameDue();
            if (!due)
                break;
            session.AppendDueFrame(out);
        }
    }
    CheckReplies(out);
    return 0;
}
