// Rendering a geocache page: a pocket-query cache with a long description
// and five logs, and the escaping of plain text.

#include "base/MemorySettingsStore.h"
#include "base/ReadFile.h"
#include "units/PositionFormatter.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/HtmlText.h"

#include <benchmark/benchmark.h>

namespace {

hw::Waypoint BigCache(std::size_t descriptionBytes)
{
    hw::Waypoint w;
    w.strName = "GC7FA4";
    w.nType = hw::kWaypointGeocache;
    w.geocache.strCacheName = "Points géodésiques du Québec";
    w.geocache.strPlacedBy = "Sverdrup2";
    w.geocache.strCacheType = "Locationless (Reverse) Cache";
    w.geocache.nDifficulty = 25;
    w.geocache.nTerrain = 15;
    std::string paragraph = "Le but de cette cache est de trouver les points <géodésiques> & co. ";
    while (w.geocache.strLongDescription.size() < descriptionBytes)
        w.geocache.strLongDescription += paragraph;
    for (int i = 0; i < 5; ++i)
        w.geocache.logs[static_cast<std::size_t>(i)] = {std::string(2000, 'x') + "\n<b>", 1, 0,
                                                        1235887500 + i, "Finder"};
    return w;
}

void BM_RenderCachePage(benchmark::State& state)
{
    hw::MemorySettingsStore store;
    hw::PositionFormatter positions(store);
    std::string tpl;
    hw::ReadWholeFile(HIKEWISE_SOURCE_DIR "/resources/templates/cachetpl.htm", 1 << 20, tpl);
    hw::Waypoint w = BigCache(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string page =
            hw::RenderTemplateText(tpl, hw::GeocachePageValues(w, positions, 1235887500));
        bytes += page.size();
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_RenderCachePage)->Arg(16 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_EscapeHtml(benchmark::State& state)
{
    std::string text;
    while (text.size() < (1u << 20))
        text += "A log with <tags> & \"quotes\"\r\nand lines. ";
    for (auto _ : state)
        benchmark::DoNotOptimize(hw::EscapeHtml(text, true));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_EscapeHtml)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
