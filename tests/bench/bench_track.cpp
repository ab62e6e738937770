// The track log's costs: one fix offered, and a full track saved and loaded.
#include "base/BackgroundFileWriter.h"
#include "geo/SphericalGeometry.h"
#include "track/TrackAutosave.h"
#include "track/TrackExport.h"
#include "track/TrackLog.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using hw::TrackLog;
using hw::TrackPoint;

// A walk of 6 m steps, turning slowly, so that the filter logs every fix.
TrackPoint Step(int i)
{
    TrackPoint p;
    p.lat = 47500000 + (i % 20000) * 54;
    p.lon = 8500000 + (i % 7000) * 13;
    p.alt = 400.0f + static_cast<float>(i % 300);
    p.time = 1110888197 + i;
    return p;
}

void FullLog(TrackLog& log)
{
    log.SetFilter(0);
    for (int i = 0; i < TrackLog::kCapacity; ++i)
        log.AddPoint(Step(i));
}

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            (std::string(name) + "." + std::to_string(::getpid())))
        .string();
}

void BM_AddPoint(benchmark::State& state)
{
    TrackLog log;
    log.SetFilterThreshold(0.005);
    int i = 0;
    for (auto _ : state) {
        log.AddPoint(Step(i++));
        benchmark::DoNotOptimize(log.Count());
    }
}
BENCHMARK(BM_AddPoint);

void BM_AddPointStandingStill(benchmark::State& state)
{
    TrackLog log;
    log.SetFilterThreshold(0.005);
    TrackPoint p = Step(0);
    for (auto _ : state) {
        log.AddPoint(p);
        benchmark::DoNotOptimize(log.Count());
    }
}
BENCHMARK(BM_AddPointStandingStill);

void BM_SaveFullTrack(benchmark::State& state)
{
    TrackLog log;
    FullLog(log);
    std::string path = TempPath("bench_track_save.trk");
    for (auto _ : state)
        benchmark::DoNotOptimize(log.Save(path));
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * (4 + 20 * TrackLog::kCapacity));
}
BENCHMARK(BM_SaveFullTrack)->Unit(benchmark::kMillisecond);

// What the periodic save costs the UI thread with a full track: the bytes
// taken and handed to the writer's thread (the disk work is not counted).
void BM_AutosaveTickFullTrack(benchmark::State& state)
{
    TrackLog log;
    FullLog(log);
    std::string path = TempPath("bench_track_autosave.trk");
    hw::BackgroundFileWriter writer;
    hw::TrackAutosave autosave(log, writer);
    int i = TrackLog::kCapacity;
    for (auto _ : state) {
        state.PauseTiming();
        writer.Wait();
        log.AddPoint(Step(i++));
        state.ResumeTiming();
        benchmark::DoNotOptimize(autosave.Tick(path));
    }
    writer.Wait();
    std::filesystem::remove(path);
}
BENCHMARK(BM_AutosaveTickFullTrack)->Unit(benchmark::kMillisecond);

void BM_LoadFullTrack(benchmark::State& state)
{
    TrackLog log;
    FullLog(log);
    std::string path = TempPath("bench_track_load.trk");
    log.Save(path);
    TrackLog loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(loaded.Load(path));
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * (4 + 20 * TrackLog::kCapacity));
}
BENCHMARK(BM_LoadFullTrack)->Unit(benchmark::kMillisecond);

void BM_ExportFullTrackGpx(benchmark::State& state)
{
    TrackLog log;
    FullLog(log);
    for (auto _ : state)
        benchmark::DoNotOptimize(hw::TrackExportText(log, hw::TrackExportFormat::Gpx));
}
BENCHMARK(BM_ExportFullTrackGpx)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
