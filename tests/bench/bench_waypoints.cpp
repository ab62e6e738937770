// Waypoint database figures: import of a pocket-query-sized GPX file against
// Expat alone, save and load of the resulting database, an area query for a
// map view, and the peak memory.
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

#include "bench/PocketQuery.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kCaches = 10000;

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            ("hikewise-bench-" + std::to_string(getpid()) + "-" + name))
        .string();
}

// The pocket query of the benchmarks, written once.
const std::string& PocketQuery()
{
    static const std::string path = [] {
        std::string p = TempPath("pq.gpx");
        bench::WritePocketQuery(p, kCaches);
        return p;
    }();
    return path;
}

int64_t FileSize(const std::string& path)
{
    return static_cast<int64_t>(std::filesystem::file_size(path));
}

void ReportPeakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportGpx(benchmark::State& state)
{
    const std::string& path = PocketQuery();
    for (auto _ : state) {
        hw::WaypointDatabase db;
        hw::ImportResult r = hw::ImportGpx(db, path, false);
        if (r.added != kCaches)
            state.SkipWithError("not every cache was imported");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    state.counters["file_MB"] = static_cast<double>(FileSize(path)) / 1e6;
    ReportPeakMemory(state);
}
BENCHMARK(BM_ImportGpx)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Expat alone, same blocks, handlers that do nothing: the floor for import.
void BM_ExpatOnly(benchmark::State& state)
{
    const std::string& path = PocketQuery();
    for (auto _ : state) {
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetElementHandler(
            parser, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
        XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
        std::FILE* f = std::fopen(path.c_str(), "rb");
        char block[8192];
        for (;;) {
            size_t n = std::fread(block, 1, sizeof block, f);
            if (XML_Parse(parser, block, static_cast<int>(n), n < sizeof block) != XML_STATUS_OK) {
                state.SkipWithError("parse error");
                break;
            }
            if (n < sizeof block)
                break;
        }
        std::fclose(f);
        XML_ParserFree(parser);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_ExpatOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

hw::WaypointDatabase& Imported()
{
    static hw::WaypointDatabase db;
    if (db.Count() == 0)
        hw::ImportGpx(db, PocketQuery(), false);
    return db;
}

void BM_SaveDatabase(benchmark::State& state)
{
    hw::WaypointDatabase& db = Imported();
    std::string path = TempPath("db.wpt");
    for (auto _ : state) {
        if (hw::SaveWaypointDatabase(db, path) != 1)
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    state.counters["file_MB"] = static_cast<double>(FileSize(path)) / 1e6;
    state.counters["waypoints"] = db.Count();
}
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_LoadDatabase(benchmark::State& state)
{
    std::string path = TempPath("load.wpt");
    hw::SaveWaypointDatabase(Imported(), path);
    hw::WaypointDatabase db;
    for (auto _ : state) {
        if (hw::LoadWaypointDatabase(db, path) != 1 || db.Count() != kCaches)
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    ReportPeakMemory(state);
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// A map view of 0.2 x 0.15 degrees in the middle of the caches: walk its
// cells and keep the waypoints inside the view, as the map does.
void BM_AreaQuery(benchmark::State& state)
{
    hw::WaypointDatabase& db = Imported();
    hw::GeoPoint a{47400000, 8400000, 0}, b{47550000, 8600000, 0};
    size_t visible = 0;
    for (auto _ : state) {
        visible = 0;
        db.BeginArea(a, b);
        for (int cell = db.NextCell(); cell >= 0; cell = db.NextCell())
            for (const hw::Waypoint& w : db.Cell(cell))
                if (w.nLatitude >= a.lat && w.nLatitude <= b.lat && w.nLongitude >= a.lon &&
                    w.nLongitude <= b.lon)
                    ++visible;
        benchmark::DoNotOptimize(visible);
    }
    state.counters["visible"] = static_cast<double>(visible);
    state.SetLabel("0.2 x 0.15 degree view");
}
BENCHMARK(BM_AreaQuery)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(PocketQuery().c_str());
    std::remove(TempPath("db.wpt").c_str());
    return 0;
}
