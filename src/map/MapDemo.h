#pragma once

#include "course/Course.h"
#include "waypoints/WaypointDatabase.h"

#include <functional>
#include <optional>
#include <string>

namespace hw {

class RoadLayer;
class TerrainLayer;

// What the bundled demo brings to the map while it plays: its map and its
// terrain for the layers the user has no file of their own for, its course
// to follow, and its geocaches, held apart from the user's database and
// never saved.
class MapDemo {
public:
    // The demo's files, in the program's data: its map and terrain (imported
    // by the build), its course and its geocaches.
    static constexpr const char* kMapFile = "monaco.map";
    static constexpr const char* kTerrainFile = "monaco.dem";
    static constexpr const char* kCourseFile = "demo-course.gpx";
    static constexpr const char* kCachesFile = "demo-caches.gpx";
    // The path of one of them.
    using Locate = std::function<std::string(const char* name)>;
    // Whether the user set a file of their own for each layer (given for
    // this run, chosen in the settings, or present where the default points).
    struct Own {
        bool roads = false, terrain = false;
    };

    MapDemo(RoadLayer& roads, TerrainLayer& terrain) : roads_(roads), terrain_(terrain) {}

    // Opens the demo's files where the user has none; a demo file that
    // cannot be read leaves its layer as it was.
    void Start(const Locate& locate, Own own);
    // Closes what Start opened and drops the course and the caches.
    void Stop();

    const WaypointDatabase& Caches() const { return caches_; }
    WaypointDatabase& Caches() { return caches_; }
    // The course the demo walk follows; null when its file cannot be read.
    const Course* DemoCourse() const { return course_ ? &*course_ : nullptr; }
    bool ShowsMap() const { return roadsOpened_; }
    bool ShowsTerrain() const { return terrainOpened_; }

private:
    RoadLayer& roads_;
    TerrainLayer& terrain_;
    WaypointDatabase caches_;
    std::optional<Course> course_;
    bool roadsOpened_ = false;
    bool terrainOpened_ = false;
};

} // namespace hw
