// The map layer's figures on the Monaco extract: map-import against
// osmium tags-filter keeping the same road ways and against osmium export
// to GeoJSON sequences, which assembles the same areas (all run here, in the
// same run; target: map-import within 1.5 times osmium export), and loading
// the map file that the view reads.
#include "basemap/RoadMap.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace hw {
namespace {

const std::string kExtract = std::string(HIKEWISE_PEER_DATA_DIR) + "/osm/monaco.osm.pbf";
const std::string kTool = std::string(HIKEWISE_BIN_DIR) + "/hikewise-tool";

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            (std::string("hw-bench-") + std::to_string(::getpid()) + "-" + name))
        .string();
}

bool Run(const std::string& command, benchmark::State& state)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) == 0)
        return true;
    state.SkipWithError(("failed: " + command).c_str());
    return false;
}

void BM_MapImportMonaco(benchmark::State& state)
{
    std::string out = TempPath("monaco.map");
    for (auto _ : state)
        if (!Run(kTool + " map-import " + kExtract + " " + out, state))
            break;
    std::filesystem::remove(out);
}
BENCHMARK(BM_MapImportMonaco)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OsmiumTagsFilterMonaco(benchmark::State& state)
{
    std::string out = TempPath("monaco.osm.pbf");
    const std::string filter =
        " w/highway=motorway,motorway_link,trunk,trunk_link,primary,primary_link,secondary,"
        "secondary_link,tertiary,tertiary_link,unclassified,residential,living_street,road,"
        "service,track,path,footway,bridleway,cycleway,steps,pedestrian"
        " w/railway=rail,light_rail,narrow_gauge";
    for (auto _ : state)
        if (!Run("osmium tags-filter --no-progress -O -o " + out + " " + kExtract + filter, state))
            break;
    std::filesystem::remove(out);
}
BENCHMARK(BM_OsmiumTagsFilterMonaco)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OsmiumExportMonaco(benchmark::State& state)
{
    std::string out = TempPath("monaco.geojsonseq");
    for (auto _ : state)
        if (!Run("osmium export --no-progress -f geojsonseq -O -o " + out + " " + kExtract, state))
            break;
    std::filesystem::remove(out);
}
BENCHMARK(BM_OsmiumExportMonaco)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_LoadMonacoMap(benchmark::State& state)
{
    std::string path = TempPath("load.map");
    if (!Run(kTool + " map-import " + kExtract + " " + path, state))
        return;
    std::string error;
    for (auto _ : state) {
        RoadMap map;
        if (!map.Load(path, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(map.Summary().nodes);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadMonacoMap)->Unit(benchmark::kMillisecond);

void BM_WholeMonacoWays(benchmark::State& state)
{
    std::string path = TempPath("query.map");
    if (!Run(kTool + " map-import " + kExtract + " " + path, state))
        return;
    RoadMap map;
    std::string error;
    if (!map.Load(path, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        uint64_t points = 0;
        map.ForEachWay(map.Summary().bounds, kAllRoadClasses,
                       [&](int, const RoadPoint*, uint32_t n) { points += n; });
        benchmark::DoNotOptimize(points);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WholeMonacoWays)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace hw

BENCHMARK_MAIN();
