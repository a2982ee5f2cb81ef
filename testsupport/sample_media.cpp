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
