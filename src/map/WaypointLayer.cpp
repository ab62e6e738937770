#include "map/WaypointLayer.h"

#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
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

int WaypointLayer::ChooseSymbol(const Waypoint& w, int64_t now)
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

BitmapCell WaypointLayer::SymbolBitmap(int symbol, bool large, ScreenPoint centre)
{
    if (symbol < 0 || symbol >= kSymbolCount)
        symbol = 0;
    size_t strip = static_cast<size_t>(symbol / kSymbolsPerStrip);
    return {large ? kLargeStrips[strip] : kNormalStrips[strip], symbol % kSymbolsPerStrip,
            large ? 30 : 15, centre};
}

int WaypointLayer::ThinningStep(double scaleKm, int databaseCount)
{
    if (databaseCount <= kThinningCount || scaleKm <= 6)
        return 1;
    if (scaleKm < 10)
        return 5;
    if (scaleKm < 15)
        return 10;
    return 15;
}

void WaypointLayer::Draw(const MapViewport& viewport, double scaleKm, bool large,
                         WaypointDatabase& database, int64_t now, DrawList& out)
{
    const ScreenRect& client = viewport.Client();
    const int size = large ? 30 : 15;
    const ScreenRect area = client.Grown(kMargin + size / 2);
    const MapViewport::GeoBox box = viewport.VisibleBox();
    const int step = ThinningStep(scaleKm, database.Count());
    database.BeginArea({box.south, box.west, 0}, {box.north, box.east, 0});
    for (int cell = database.NextCell(); cell >= 0; cell = database.NextCell()) {
        const std::vector<Waypoint>& waypoints = database.Cell(cell);
        for (size_t i = 0; i < waypoints.size(); i += static_cast<size_t>(step)) {
            const Waypoint& w = waypoints[i];
            ScreenPoint p = viewport.GeoToScreen({w.nLatitude, w.nLongitude, 0});
            if (area.Contains(p))
                out.Add(SymbolBitmap(ChooseSymbol(w, now), large, p));
        }
    }
}

} // namespace hw
