#pragma once

#include "waypoints/WaypointDatabase.h"

#include <functional>
#include <string>

namespace hw {

class RoadLayer;
class TerrainLayer;

// What the bundled demo brings to the map while it plays: its map and its
// terrain for the layers the user has no file of their own for, and its
// geocaches, held apart from the user's database and never saved.
class MapDemo {
public:
    // The demo's files, in the program's data: its map and terrain (imported
    // by the build) and its geocaches.
    static constexpr const char* kMapFile = "monaco.map";
    static constexpr const char* kTerrainFile = "monaco.dem";
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
    // Closes what Start opened and drops the caches.
    void Stop();

    const WaypointDatabase& Caches() const { return caches_; }
    WaypointDatabase& Caches() { return caches_; }
    bool ShowsMap() const { return roadsOpened_; }
    bool ShowsTerrain() const { return terrainOpened_; }

private:
    RoadLayer& roads_;
    TerrainLayer& terrain_;
    WaypointDatabase caches_;
    bool roadsOpened_ = false;
    bool terrainOpened_ = false;
};

} // namespace hw
