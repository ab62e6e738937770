// What the map decides to draw for one repaint: a full 15,000-point track and
// 10,000 waypoints spread over the view, at every zoom level, north up and
// course up. A repaint at 60 Hz leaves about 16 ms; the decisions should take
// no more than 5 ms of it.
#include "bench/MapBenchScene.h"
#include "map/MapDrawing.h"

#include <benchmark/benchmark.h>

namespace hw {
namespace {

using bench::MakeScene;
using bench::Scene;

void BM_MapDrawing(benchmark::State& state)
{
    const int zoom = static_cast<int>(state.range(0));
    const bool courseUp = state.range(1) != 0;
    std::unique_ptr<Scene> scene = MakeScene(zoom, courseUp);
    size_t items = 0;
    for (auto _ : state) {
        DrawList list;
        MapDrawing::Build(scene->model, {scene->track, scene->waypoints, scene->units, 1700000000},
                          list);
        items = list.Items().size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["scale_km"] = scene->model.Scale();
    state.counters["items"] = static_cast<double>(items);
    state.counters["track_points"] = scene->track.Count();
    state.counters["waypoints"] = scene->waypoints.Count();
    state.SetLabel(courseUp ? "course up" : "north up");
}

void AllZooms(benchmark::internal::Benchmark* b)
{
    for (int courseUp : {0, 1})
        for (int zoom = 0; zoom < MapModel::ZoomCount(); ++zoom)
            b->Args({zoom, courseUp});
}
BENCHMARK(BM_MapDrawing)->Apply(AllZooms)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hw

BENCHMARK_MAIN();
