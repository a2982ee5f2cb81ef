#include "track_worker.h"

#include "frame_offset_table.h"
#include "object_file_loader.h"
#include "synopsis_fetch.h"
#include "tube_file_loader.h"

#include <windows.h>

namespace {

constexpr int32_t kObjectFileIds = 0x10000;

} // namespace

Track LoadTrack(const TrackRequest& request) {
    Track track;
    const int32_t offset = FrameOffsetTable::Lookup(request.flowNumber);
    if (request.compId < kObjectFileIds) {
        const std::wstring path =
            FetchSynopsisFile(request.server, request.flowNumber, SynopsisFileKind::Tube);
        if (!path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            LoadTubeTrack(path, request.compId, request.tubeId, track, offset);
    } else {
        const std::wstring path =
            FetchSynopsisFile(request.server, request.flowNumber, SynopsisFileKind::Object);
        LoadObjectTrack(path, request.compId - kObjectFileIds, request.tubeId, track, offset);
    }
    return track;
}

TrackWorkers::~TrackWorkers() {
    for (Worker& worker : m_workers)
        worker.thread.join();
}

void TrackWorkers::CollectFinished() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void TrackWorkers::Start(std::shared_ptr<TrackSlot> slot, uint64_t generation,
                         TrackRequest request) {
    CollectFinished();
    m_workers.reserve(m_workers.size() + 1); // a running thread must never be dropped
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([slot = std::move(slot), generation, request = std::move(request), done] {
        try {
            slot->Publish(generation, LoadTrack(request));
        } catch (...) {
            // Out of memory: the box stays undrawn.
        }
        *done = true;
    });
    m_workers.push_back(Worker{std::move(thread), std::move(done)});
}
