#pragma once

#include "base/DrawList.h"

#include <cstdint>

namespace hw {

class Waypoint;

// A waypoint's look: the symbol it is drawn with and that symbol's cell in
// the bitmap strips. The map, the lists and the message window all show it.
class WaypointSymbol {
public:
    static constexpr int kSymbolsPerStrip = 32;

    // The waypoint's own symbol, or the one its geocache state gives.
    // now: seconds since 1970.
    static int Choose(const Waypoint& w, int64_t now);
    // After the user changed a cache's state (now: the moment of the change):
    // a record drawn by its state stores that state's symbol in its icon; any
    // other keeps its own.
    static void KeepStateSymbol(Waypoint& w, int64_t now);
    // The bitmap strip and cell of a symbol (15- or 30-pixel cells); a symbol
    // outside the table draws as symbol 0.
    static BitmapCell Bitmap(int symbol, bool large, ScreenPoint centre);
};

} // namespace hw
