#pragma once

#include "base/DrawList.h"
#include "map/MapViewport.h"

#include <cstdint>

namespace hw {

class Waypoint;
class WaypointDatabase;

// The waypoints on the map: which ones are drawn, with which symbol, where.
class WaypointLayer {
public:
    static constexpr int kSymbolsPerStrip = 32;
    // How far past the view a symbol may lie and still be drawn (pixels).
    static constexpr int kMargin = 16;
    // Above this many waypoints in the database only every n-th of a cell is
    // drawn at the wider scales.
    static constexpr int kThinningCount = 200;

    // The symbol a waypoint is drawn with: its own, or the one its geocache
    // state gives. now: seconds since 1970.
    static int ChooseSymbol(const Waypoint& w, int64_t now);
    // The bitmap strip and cell of a symbol (15- or 30-pixel cells); a symbol
    // outside the table draws as symbol 0.
    static BitmapCell SymbolBitmap(int symbol, bool large, ScreenPoint centre);
    // n: every n-th waypoint of a cell is drawn.
    static int ThinningStep(double scaleKm, int databaseCount);

    static void Draw(const MapViewport& viewport, double scaleKm, bool large,
                     WaypointDatabase& database, int64_t now, DrawList& out);
};

} // namespace hw
