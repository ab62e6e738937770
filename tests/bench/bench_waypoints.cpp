// Waypoint database figures: import of a pocket-query-sized GPX file against
// Expat alone, save and load of the resulting database, an area query for a
// map view, and the peak memory.
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

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

// A pocket query: caches within a degree of one another, each with a
// short and a long HTML description, hints and five logs.
const std::string& PocketQuery()
{
    static const std::string path = [] {
        std::string p = TempPath("pq.gpx");
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> lat(47.0, 48.0), lon(8.0, 9.0);
        const std::string words =
            "Le but de cette cache est de trouver les points g\xC3\xA9od\xC3\xA9siques "
            "&amp; the view from the ridge &lt;b&gt;above&lt;/b&gt; the lake. ";
        std::fprintf(f, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" "
                        "xmlns=\"http://www.topografix.com/GPX/1/0\">\n");
        for (int i = 0; i < kCaches; ++i) {
            std::string longDescription;
            while (longDescription.size() < 1700)
                longDescription += words;
            std::fprintf(
                f,
                "  <wpt lat=\"%.7f\" lon=\"%.7f\">\n    <time>2008-03-%02dT12:00:00Z</time>\n"
                "    <name>GC%05X</name>\n    <desc>Cache number %d by Owner %d, Traditional "
                "Cache (2/1.5)</desc>\n    "
                "<url>http://www.example.org/seek/cache_details.aspx?id=%d"
                "</url>\n    <sym>Geocache</sym>\n    <type>Geocache|Traditional Cache</type>\n"
                "    <groundspeak:cache id=\"%d\" available=\"True\" archived=\"False\" "
                "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\">\n"
                "      <groundspeak:name>Cache number %d</groundspeak:name>\n"
                "      <groundspeak:placed_by>Owner %d</groundspeak:placed_by>\n"
                "      <groundspeak:type>Traditional Cache</groundspeak:type>\n"
                "      <groundspeak:container>Small</groundspeak:container>\n"
                "      <groundspeak:difficulty>2</groundspeak:difficulty>\n"
                "      <groundspeak:terrain>1.5</groundspeak:terrain>\n"
                "      <groundspeak:country>Switzerland</groundspeak:country>\n"
                "      <groundspeak:state>Z\xC3\xBCrich</groundspeak:state>\n"
                "      <groundspeak:short_description html=\"True\">A short walk from the "
                "parking.</groundspeak:short_description>\n"
                "      <groundspeak:long_description "
                "html=\"True\">%s</groundspeak:long_description>\n"
                "      <groundspeak:encoded_hints>haqre gur ebbg</groundspeak:encoded_hints>\n"
                "      <groundspeak:logs>\n",
                lat(rng), lon(rng), 1 + i % 28, 0x10000 + i, i, i % 500, i, i, i, i % 500,
                longDescription.c_str());
            for (int l = 0; l < 5; ++l)
                std::fprintf(
                    f,
                    "        <groundspeak:log id=\"%d\">\n"
                    "          <groundspeak:date>2008-0%d-1%dT07:00:00</groundspeak:date>\n"
                    "          <groundspeak:type>Found it</groundspeak:type>\n"
                    "          <groundspeak:finder id=\"%d\">Finder %d</groundspeak:finder>\n"
                    "          <groundspeak:text encoded=\"False\">Found it with the kids "
                    "after a long search, thanks for the cache! TFTC %s</groundspeak:text>\n"
                    "        </groundspeak:log>\n",
                    i * 5 + l, 1 + l, l, l, l, words.c_str());
            std::fprintf(f, "      </groundspeak:logs>\n    </groundspeak:cache>\n  </wpt>\n");
        }
        std::fprintf(f, "</gpx>\n");
        std::fclose(f);
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
