// What the map decides to draw for one repaint: a full 15,000-point track and
// 10,000 waypoints spread over the view, at every zoom level, north up and
// course up. A repaint at 60 Hz leaves about 16 ms; the decisions should take
// no more than 5 ms of it.
#include "base/MemorySettingsStore.h"
#include "map/MapDrawing.h"
#include "map/MapModel.h"
#include "map/SphericalGeometry.h"
#include "map/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace hw {
namespace {

const GeoPoint kCentre = GeoPoint::FromDegrees(46.55, 7.98);

struct Scene {
    MapModel model{kCentre};
    TrackLog track;
    WaypointDatabase waypoints;
    MemorySettingsStore store;
    UnitFormatter units{store};
};

// A scene whose track and waypoints all lie inside the view at the zoom.
std::unique_ptr<Scene> MakeScene(int zoom, bool courseUp)
{
    auto scene = std::make_unique<Scene>();
    scene->model.SetClientRect({0, 0, 480, 640});
    scene->model.SetZoomIndex(zoom);
    scene->model.SetNorthUp(!courseUp);
    scene->model.SetCurrentCourse(courseUp ? 30 : 0);
    scene->model.SetFixIndicatorOn(true);
    const double reach = scene->model.Scale() * 0.7;
    std::mt19937 rng(static_cast<unsigned>(zoom));
    std::uniform_real_distribution<double> distance(0, reach), bearing(0, 360);

    scene->track.SetFilter(0);
    for (int i = 0; i < TrackLog::kCapacity; ++i) {
        GeoPoint g = ProjectPoint(kCentre, distance(rng), bearing(rng));
        TrackPoint p;
        p.lat = g.lat;
        p.lon = g.lon;
        p.alt = 500;
        p.segmentStart = i % 1000 == 0;
        scene->track.AddPoint(p);
    }
    for (int i = 0; i < 10000; ++i) {
        GeoPoint g = ProjectPoint(kCentre, distance(rng), bearing(rng));
        Waypoint w;
        w.nLatitude = g.lat;
        w.nLongitude = g.lon;
        w.strName = "WPT " + std::to_string(i);
        w.icon = i % 151;
        scene->waypoints.Add(w);
    }
    Waypoint target;
    target.nLatitude = kCentre.lat + 1000;
    target.nLongitude = kCentre.lon;
    scene->waypoints.SetTarget(target, kCentre);
    scene->waypoints.SetTargetActive(1);
    return scene;
}

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
