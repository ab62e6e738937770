#include "waypoints/WaypointSymbol.h"

#include "waypoints/Waypoint.h"
#include "waypoints/WaypointTables.h"

#include <array>

namespace hw {
namespace {

constexpr int64_t kNewCacheSeconds = 2592000; // 30 days

// Symbols of geocache states 1 to 17.
constexpr std::array<int, 18> kStateSymbols = {0,   25,  26,  84,  85,  83,  86,  88,  94,
                                               105, 112, 113, 114, 115, 116, 117, 123, 146};

constexpr std::array<int, 5> kNormalStrips = {120, 122, 124, 126, 129};
constexpr std::array<int, 5> kLargeStrips = {121, 123, 125, 127, 130};

} // namespace

int WaypointSymbol::Choose(const Waypoint& w, int64_t now)
{
    if (w.bUseGeocacheStateForIconID != 1)
        return w.icon;
    int state = w.nGeocacheState;
    if (state == 0) {
        if (w.geocache.bArchived == 1 || !w.geocache.bAvailable)
            return 85;
        if (now >= w.timeCreated && now < int64_t{w.timeCreated} + kNewCacheSeconds)
            return 86;
        return now < w.timeCreated ? 87 : 24;
    }
    if (state > 0 && state < static_cast<int>(kStateSymbols.size()))
        return kStateSymbols[static_cast<size_t>(state)];
    return 0;
}

void WaypointSymbol::KeepStateSymbol(Waypoint& w, int64_t now)
{
    if (w.bUseGeocacheStateForIconID == 1)
        w.icon = Choose(w, now);
}

BitmapCell WaypointSymbol::Bitmap(int symbol, bool large, ScreenPoint centre)
{
    if (symbol < 0 || symbol >= kSymbolCount)
        symbol = 0;
    size_t strip = static_cast<size_t>(symbol / kSymbolsPerStrip);
    return {large ? kLargeStrips[strip] : kNormalStrips[strip], symbol % kSymbolsPerStrip,
            large ? 30 : 15, centre};
}

} // namespace hw
