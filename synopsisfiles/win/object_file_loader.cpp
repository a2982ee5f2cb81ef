#include "object_file_loader.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

std::string ToAnsiCodePage(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, narrow.data(), length, nullptr,
                            nullptr);
    return narrow;
}

// The objects of the last object file loaded, and the path they came from.
struct ObjectCache {
    std::mutex lock;
    std::wstring path;
    ObiObjectList objects;
    int32_t count = 0;
};

ObjectCache& TheObjectCache() {
    static ObjectCache cache;
    return cache;
}

} // namespace

int32_t ReadObjectFile(const char* path, ObiObjectList& objects, int32_t& count) {
    FreeObjects(objects, count);
    if (path == nullptr)
        return kObiNullInput;
    UniqueFile file(fopen(path, "rb"));
    if (!file)
        return kObiBadData;
    if (_fseeki64(file.get(), 0, SEEK_END) != 0)
        return kObiSeekFailed;
    const int64_t size = _ftelli64(file.get());
    if (size < 0)
        return kObiSeekFailed;
    if (static_cast<uint64_t>(size) > SIZE_MAX)
        return kObiOutOfMemory;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
    if (!buffer)
        return kObiOutOfMemory;
    if (_fseeki64(file.get(), 0, SEEK_SET) != 0)
        return kObiSeekFailed;
    const size_t wanted = static_cast<size_t>(size);
    if (wanted == 0 || fread(buffer.get(), 1, wanted, file.get()) != wanted)
        return kObiBadData;
    return ParseObjectFile(buffer.get(), wanted, objects, count);
}

int LoadObjectTrack(const std::wstring& path, int32_t objectId, int32_t tubeId, Track& track,
                    int32_t frameOffset) {
    track.clear();
    ObjectCache& cache = TheObjectCache();
    std::lock_guard<std::mutex> hold(cache.lock);
    try {
        if (path != cache.path) {
            std::wstring loadedPath = path;
            const std::string ansiPath = ToAnsiCodePage(path);
            FreeObjects(cache.objects, cache.count);
            cache.path.clear();
            if (ReadObjectFile(ansiPath.c_str(), cache.objects, cache.count) != kObiOk)
                return 0;
            cache.path.swap(loadedPath);
        }
        ExtractObjectTrack(cache.objects, objectId, tubeId, track, frameOffset);
        return 1;
    } catch (const std::bad_alloc&) {
        track.clear();
        return 0;
    }
}
