#include "sample_video.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr const char* kMagic = "SAMPLEVIDEO 1";

int Lerp(int a, int b, int32_t step, int32_t steps) {
    if (steps <= 0)
        return a;
    return a + static_cast<int>(static_cast<int64_t>(b - a) * step / steps);
}

} // namespace

Box SceneObject::BoxAt(int32_t sourceFrame) const {
    const int32_t frame = std::clamp(sourceFrame, firstFrame, std::max(firstFrame, lastFrame));
    const int32_t step = frame - firstFrame;
    const int32_t steps = lastFrame - firstFrame;
    return Box{Lerp(x0, x1, step, steps), Lerp(y0, y1, step, steps), w, h};
}

std::string WriteSampleVideo(const SampleVideo& video) {
    std::ostringstream out;
    out << kMagic << "\n";
    out << "size " << video.width << " " << video.height << "\n";
    out << "fps " << video.fps << "\n";
    out << "frames " << video.firstFrame << " " << video.frameCount << "\n";
    out << "background " << video.background << "\n";
    if (video.pictures == PictureFormat::kBgra32)
        out << "pictures bgra32\n";
    for (const SceneObject& o : video.objects) {
        out << "object " << o.objectId << " " << o.tubeId << " " << o.firstFrame << " "
            << o.lastFrame << " " << o.x0 << " " << o.y0 << " " << o.x1 << " " << o.y1 << " " << o.w
            << " " << o.h << " " << o.color << " " << o.synopsisStart << "\n";
    }
    return out.str();
}

std::optional<SampleVideo> ReadSampleVideo(const std::string& text, std::string& error) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic) {
        error = "not a sample video";
        return std::nullopt;
    }
    SampleVideo video;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        bool ok = true;
        if (key == "size") {
            ok = static_cast<bool>(fields >> video.width >> video.height) && video.width > 0 &&
                 video.height > 0 && video.width <= 8192 && video.height <= 8192;
        } else if (key == "fps") {
            ok = static_cast<bool>(fields >> video.fps) && video.fps > 0 && video.fps <= 1000;
        } else if (key == "frames") {
            ok = static_cast<bool>(fields >> video.firstFrame >> video.frameCount) &&
                 video.frameCount >= 0;
        } else if (key == "background") {
            ok = static_cast<bool>(fields >> video.background);
        } else if (key == "pictures") {
            std::string format;
            ok = static_cast<bool>(fields >> format) && (format == "yuv420" || format == "bgra32");
            video.pictures = format == "bgra32" ? PictureFormat::kBgra32 : PictureFormat::kYuv420;
        } else if (key == "object") {
            SceneObject o;
            ok = static_cast<bool>(fields >> o.objectId >> o.tubeId >> o.firstFrame >>
                                   o.lastFrame >> o.x0 >> o.y0 >> o.x1 >> o.y1 >> o.w >> o.h >>
                                   o.color >> o.synopsisStart) &&
                 o.lastFrame >= o.firstFrame;
            if (ok)
                video.objects.push_back(o);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad line: " + line;
            return std::nullopt;
        }
    }
    return video;
}

std::optional<SampleVideo> CutFragment(const SampleVideo& video, int startSecond, int seconds) {
    const int64_t skip = static_cast<int64_t>(std::max(startSecond, 0)) * video.fps;
    if (skip >= video.frameCount)
        return std::nullopt;
    const int64_t wanted = static_cast<int64_t>(std::max(seconds, 0)) * video.fps;
    SampleVideo fragment = video;
    fragment.firstFrame = static_cast<int32_t>(video.firstFrame + skip);
    fragment.frameCount = static_cast<int32_t>(std::min<int64_t>(wanted, video.frameCount - skip));
    return fragment;
}
