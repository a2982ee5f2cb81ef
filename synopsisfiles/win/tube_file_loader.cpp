#include "tube_file_loader.h"

#include "debug_output.h"
#include "mapped_file.h"
#include "tube_track.h"

#include <new>

int LoadTubeTrack(const std::wstring& path, int32_t objectId, int32_t tubeId, Track& track,
                  int32_t frameOffset) {
    track.clear();
    MappedFile file;
    switch (file.Open(path)) {
    case MappedFile::OpenResult::CannotOpen:
        DebugLine(L"load tbi file: %ls failed,error : %d", path.c_str(),
                  static_cast<int>(file.OpenError()));
        return 0;
    case MappedFile::OpenResult::CannotMap:
        return 0;
    case MappedFile::OpenResult::Mapped:
        break;
    }
    try {
        return ExtractTubeTrack(file.Bytes(), objectId, tubeId, track, frameOffset);
    } catch (const std::bad_alloc&) {
        track.clear();
        return 0;
    }
}
