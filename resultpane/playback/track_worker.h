// The track of the object a stretch of source video follows, loaded off the
// user-interface thread: one short-lived worker per start asks the server for
// the task's tube or object file (downloaded once into the local cache),
// reads the object's track from it and publishes it to the video window's
// track slot.
#pragma once

#include "track_overlay.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

struct TrackRequest {
    std::wstring server; // as HTTP requests take it: host, optionally ":" and port
    int32_t flowNumber = 0;
    int32_t compId = 0; // 0x10000 and above: an object of the object file
    int32_t tubeId = 0;
};

// What a worker does: the track of the object, shifted by the task's frame
// offset; empty when the file cannot be had.
Track LoadTrack(const TrackRequest& request);

class TrackWorkers {
public:
    TrackWorkers() = default;
    // Waits for every worker still running.
    ~TrackWorkers();
    TrackWorkers(const TrackWorkers&) = delete;
    TrackWorkers& operator=(const TrackWorkers&) = delete;

    // Starts a worker that publishes to slot under generation. Workers that
    // have finished are collected first.
    void Start(std::shared_ptr<TrackSlot> slot, uint64_t generation, TrackRequest request);
    // Workers started and not yet collected.
    size_t Count() const { return m_workers.size(); }

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void CollectFinished();

    std::vector<Worker> m_workers;
};
