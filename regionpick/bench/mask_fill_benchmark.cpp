// The scanline fill that writes mask.bin: a 4000 x 3000 picture with outlines
// of growing vertex counts, one mask row at a time as the writer does it.
#include "many_sided_outline.h"
#include "target_mask.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MaskRows(benchmark::State& state) {
    const std::vector<PixelPoint> polygon = ManySidedOutline(static_cast<int>(state.range(0)));
    const TargetArea area = ChooseTargetArea(polygon, kBenchWidth, kBenchHeight);
    std::vector<uint8_t> row(static_cast<size_t>(area.box.width));
    for (auto _ : state) {
        MaskScanner scanner(polygon);
        uint64_t inside = 0;
        for (int y = area.box.y; y < area.box.y + area.box.height; ++y) {
            scanner.FillRow(y, area.box.x, row);
            inside += row[row.size() / 2];
        }
        benchmark::DoNotOptimize(inside);
    }
    state.SetItemsProcessed(state.iterations() * int64_t{area.box.width} * area.box.height);
    state.counters["box_pixels"] = double(area.box.width) * area.box.height;
}
BENCHMARK(BM_MaskRows)->Arg(3)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
