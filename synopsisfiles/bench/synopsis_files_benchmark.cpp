// Track extraction over a large tube file, compared with a plain sequential
// scan of the same bytes, and object-file parsing throughput. The files are
// generated in memory on first use.
#include "object_file.h"
#include "synopsis_writers.h"
#include "tube_track.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr int32_t kTubeCount = 64;
constexpr int32_t kFramesPerTube = 50000;
constexpr uint16_t kItemsPerFrame = 8; // 86 bytes per frame record: about 275 MB in all
constexpr int32_t kWantedTube = 7;
constexpr uint16_t kWantedObject = 3;

// Every tube carries the wanted identifier when sameTube is set, so the walk
// covers the whole file; otherwise only one tube in the middle does.
std::vector<uint8_t> MakeTubeFile(bool sameTube) {
    TubeFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    TubeBlock block;
    for (int32_t f = 0; f < kFramesPerTube; ++f) {
        TubeFrame frame;
        frame.frameNumber = f;
        for (uint16_t i = 1; i <= kItemsPerFrame; ++i)
            frame.items.push_back(TubeItem{i, static_cast<uint16_t>(f % 300), 10, 20, 30});
        block.frames.push_back(std::move(frame));
    }
    for (int32_t t = 0; t < kTubeCount; ++t) {
        block.tubeId = sameTube || t == kTubeCount / 2 ? kWantedTube : 1000 + t;
        content.tubes.push_back(block);
    }
    return WriteTubeFile(content);
}

const std::vector<uint8_t>& TubeFile(bool sameTube) {
    static const std::vector<uint8_t> everyTube = MakeTubeFile(true);
    static const std::vector<uint8_t> oneTube = MakeTubeFile(false);
    return sameTube ? everyTube : oneTube;
}

// Reads every byte once, eight at a time: as fast as a plain pass over the
// bytes goes, so the walk is measured against memory speed, not against a
// slow loop.
uint64_t ByteSum(const std::vector<uint8_t>& bytes) {
    uint64_t sum = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        sum += word;
    }
    for (; i < bytes.size(); ++i)
        sum += bytes[i];
    return sum;
}

using Clock = std::chrono::steady_clock;

// The best of a few plain scans of the file: the yardstick for the walk.
double ScanSeconds(const std::vector<uint8_t>& bytes) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(ByteSum(bytes));
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void BM_SequentialByteScan(benchmark::State& state) {
    const std::vector<uint8_t>& file = TubeFile(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ByteSum(file));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

// The counter "vs_scan" is the extraction's time over the plain scan's.
void BM_TubeTrackExtraction(benchmark::State& state) {
    const bool everyTube = state.range(0) != 0;
    const std::vector<uint8_t>& file = TubeFile(everyTube);
    const double scan = ScanSeconds(file);
    Track track;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        ExtractTubeTrack(file, kWantedObject, kWantedTube, track, 0);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(track.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
    state.counters["boxes"] = static_cast<double>(track.size() - 1);
    state.counters["vs_scan"] = seconds / static_cast<double>(state.iterations()) / scan;
}

std::vector<uint8_t> MakeObjectFile() {
    ObjectFileContent content;
    content.frameWidth = 352;
    content.frameHeight = 288;
    for (int32_t o = 0; o < 20000; ++o) {
        ObiObjectRecord object;
        object.objectId = o % 16;
        object.tubeId = o / 16;
        object.firstFrame = o * 10;
        for (int32_t f = 0; f < 250; ++f)
            object.frames.push_back(
                ObiFrameRecord{object.firstFrame + f, static_cast<uint16_t>(f), 10, 20, 30});
        content.objects.push_back(std::move(object));
    }
    return WriteObjectFile(content);
}

void BM_ObjectFileParse(benchmark::State& state) {
    static const std::vector<uint8_t> file = MakeObjectFile();
    for (auto _ : state) {
        ObiObjectList objects;
        int32_t count = 0;
        if (ParseObjectFile(file.data(), file.size(), objects, count) != kObiOk)
            state.SkipWithError("the generated object file does not parse");
        benchmark::DoNotOptimize(objects.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
}

} // namespace

BENCHMARK(BM_SequentialByteScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TubeTrackExtraction)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjectFileParse)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
