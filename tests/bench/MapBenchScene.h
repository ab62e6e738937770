#pragma once

// The map scene of the benchmarks: a full 15,000-point track and 10,000
// waypoints spread over the view at a zoom, with a goto active.
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "map/MapModel.h"
#include "track/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"

#include <memory>
#include <random>
#include <string>

namespace hw::bench {

inline const GeoPoint kCentre = GeoPoint::FromDegrees(46.55, 7.98);

struct Scene {
    explicit Scene(const GeoPoint& centre) : model(centre) {}
    MapModel model;
    TrackLog track;
    WaypointDatabase waypoints;
    MemorySettingsStore store;
    UnitFormatter units{store};
};

// A scene whose track and waypoints all lie inside the view at the zoom. The
// track's points are scattered over the view, or with `walk` follow one
// another as a walker's do (steps of a few metres, turning back at the edge).
inline std::unique_ptr<Scene> MakeScene(int zoom, bool courseUp, bool walk = false,
                                        const GeoPoint& centre = kCentre)
{
    auto scene = std::make_unique<Scene>(centre);
    scene->model.SetClientRect({0, 0, 480, 640});
    scene->model.SetZoomIndex(zoom);
    scene->model.SetNorthUp(!courseUp);
    scene->model.SetCurrentCourse(courseUp ? 30 : 0);
    scene->model.SetFixIndicatorOn(true);
    const double reach = scene->model.Scale() * 0.7;
    std::mt19937 rng(static_cast<unsigned>(zoom));
    std::uniform_real_distribution<double> distance(0, reach), bearing(0, 360);

    scene->track.SetFilter(0);
    GeoPoint walker = centre;
    double heading = 0;
    std::normal_distribution<double> turn(0, 20);
    const double step = reach * 8 / TrackLog::kCapacity * 2;
    for (int i = 0; i < TrackLog::kCapacity; ++i) {
        GeoPoint g;
        if (walk) {
            heading += turn(rng);
            if (DistanceKmMicro(walker, centre) > reach)
                heading = BearingToward(centre, walker); // back toward the centre
            walker = ProjectPoint(walker, step, heading);
            g = walker;
        } else {
            g = ProjectPoint(centre, distance(rng), bearing(rng));
        }
        TrackPoint p;
        p.lat = g.lat;
        p.lon = g.lon;
        p.alt = 500;
        p.segmentStart = i % 1000 == 0;
        scene->track.AddPoint(p);
    }
    for (int i = 0; i < 10000; ++i) {
        GeoPoint g = ProjectPoint(centre, distance(rng), bearing(rng));
        Waypoint w;
        w.nLatitude = g.lat;
        w.nLongitude = g.lon;
        w.strName = "WPT " + std::to_string(i);
        w.icon = i % 151;
        scene->waypoints.Add(w);
    }
    Waypoint target;
    target.nLatitude = centre.lat + 1000;
    target.nLongitude = centre.lon;
    scene->waypoints.SetTarget(target, centre);
    scene->waypoints.SetTargetActive(1);
    return scene;
}

} // namespace hw::bench
