// The import of a one-arc-second tile (3601 x 3601 cells): filling its voids
// for drawing, and the whole terrain file made from it. The grid is the
// peer tile of Espiritu Santo (S16E166, 1201 cells square, 6,229 voids)
// with each cell made three, so that its voids grow as a finer tile's do.
#include "terrain/HgtRaster.h"
#include "terrain/TerrainFileWriter.h"
#include "terrain/VoidFill.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace hw {
namespace {

ElevationGrid FineTile()
{
    const char* env = std::getenv("HIKEWISE_PEER_DATA_DIR");
    const std::string peers = env && *env ? env : HIKEWISE_PEER_DATA_DIR;
    auto tile = HgtRaster::Open(peers + "/dem/S16E166.hgt");
    if (!tile)
        return {};
    const ElevationGrid coarse = tile->ToGrid();
    const int side = 3601;
    const GridPlacement p = coarse.Placement();
    ElevationGrid fine(side, side, {p.originX, p.originY, p.stepX / 3, p.stepY / 3});
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            fine.At(c, r) = coarse.At(std::min(c / 3, 1200), std::min(r / 3, 1200));
    return fine;
}

void BM_VoidFill(benchmark::State& state)
{
    const ElevationGrid tile = FineTile();
    if (tile.Empty()) {
        state.SkipWithError("peer tile S16E166.hgt not found");
        return;
    }
    uint64_t filled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ElevationGrid grid = tile;
        state.ResumeTiming();
        filled = VoidFill::Fill(grid);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["filled"] = static_cast<double>(filled);
}
BENCHMARK(BM_VoidFill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportFilledTile(benchmark::State& state)
{
    const ElevationGrid tile = FineTile();
    if (tile.Empty()) {
        state.SkipWithError("peer tile S16E166.hgt not found");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ElevationGrid grid = tile;
        state.ResumeTiming();
        const uint64_t filled = VoidFill::Fill(grid);
        TerrainFileWriter writer(grid);
        writer.SetSource("NASA/USGS SRTM", filled);
        bytes = writer.Bytes().size();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ImportFilledTile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace hw

BENCHMARK_MAIN();
