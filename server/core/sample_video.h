// The sample server's video files. A sample video does not store pictures: it
// describes a scene (a plain background and objects moving in straight lines)
// that the media service renders frame by frame. This keeps the sample data
// small and makes every object's box in every frame known exactly, so the
// tube and object files and the synopsis metadata can be derived from the
// same description.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

// One object moving from (x0, y0) at firstFrame to (x1, y1) at lastFrame,
// frame numbers in the source video's numbering.
struct SceneObject {
    int32_t objectId = 0; // number within its tube
    int32_t tubeId = 0;
    int32_t firstFrame = 0;
    int32_t lastFrame = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int w = 0, h = 0;
    uint32_t color = 0; // 0xRRGGBB
    // In a synopsis: the synopsis frame at which the object's first frame is
    // shown. -1 in a source video, where objects appear at their own frames.
    int32_t synopsisStart = -1;

    bool PresentAt(int32_t sourceFrame) const {
        return sourceFrame >= firstFrame && sourceFrame <= lastFrame;
    }
    // The box at a source frame (interpolated, clamped to the object's span).
    Box BoxAt(int32_t sourceFrame) const;
    // 1 person (an upright box), 2 vehicle, as the object file records it.
    int Kind() const { return w < h ? 1 : 2; }
};

// How the media service sends the pictures of a video: planar YUV 4:2:0 (the
// usual), or 32-bit pictures for streams that were transcoded that way.
enum class PictureFormat { kYuv420, kBgra32 };

struct SampleVideo {
    int width = 704;
    int height = 576;
    int fps = 25;
    int32_t firstFrame = 0; // source frame number of the video's first frame
    int32_t frameCount = 0;
    uint32_t background = 0x406040; // 0xRRGGBB
    PictureFormat pictures = PictureFormat::kYuv420;
    std::vector<SceneObject> objects;
};

std::string WriteSampleVideo(const SampleVideo& video);
std::optional<SampleVideo> ReadSampleVideo(const std::string& text, std::string& error);

// The stretch of a source video from startSecond, seconds long (clamped to the
// video); empty when the start lies beyond its end.
std::optional<SampleVideo> CutFragment(const SampleVideo& video, int startSecond, int seconds);
