#pragma once

#include "base/DrawList.h"
#include "geo/MapViewport.h"

#include <cstdint>

namespace hw {

class Waypoint;
class WaypointDatabase;

// The waypoints on the map: which ones are drawn, with which symbol, where.
class WaypointLayer {
public:
    // How far past the view a symbol may lie and still be drawn (pixels).
    static constexpr int kMargin = 16;
    // Above this many waypoints in the database only every n-th of a cell is
    // drawn at the wider scales.
    static constexpr int kThinningCount = 200;

    // n: every n-th waypoint of a cell is drawn.
    static int ThinningStep(double scaleKm, int databaseCount);

    static void Draw(const MapViewport& viewport, double scaleKm, bool large,
                     WaypointDatabase& database, int64_t now, DrawList& out);
};

} // namespace hw
