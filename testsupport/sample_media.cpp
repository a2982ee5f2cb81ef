#include "sample_media.h"

#include "test_fixture.h"

#include <windows.h>

std::string SampleServerPath(const std::string& relative) {
    std::string path = "E:\\AstRP_1v2\\" + relative;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string WriteSampleMedia(const std::string& relative, const SampleVideo& video) {
    const SampleServerFixture& fixture = SampleServerFixture::Get();
    // Every folder on the way, below the data folder.
    for (size_t slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', slash + 1))
        CreateDirectoryW(fixture.DataFile(relative.substr(0, slash)).c_str(), nullptr);
    if (!WriteFileBytes(fixture.DataFile(relative), WriteSampleVideo(video)))
        return std::string();
    return SampleServerPath(relative);
}

SampleVideo MovingBoxVideo(int frames, int width, int height, PictureFormat pictures) {
    SampleVideo video;
    video.width = width;
    video.height = height;
    video.fps = 25;
    video.frameCount = frames;
    video.background = kMovingBoxBackground;
    video.pictures = pictures;
    SceneObject o;
    o.objectId = o.tubeId = 1;
    o.firstFrame = 0;
    o.lastFrame = frames - 1;
    o.x1 = width / 2;
    o.w = width / 4;
    o.h = height / 4;
    o.color = kMovingBoxColor;
    video.objects.push_back(o);
    return video;
}
