#include "map/WaypointLayer.h"

#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointSymbol.h"

#include <algorithm>
#include <array>

namespace hw {

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
        const WaypointDatabase::CellList& waypoints = database.Cell(cell);
        for (size_t i = 0; i < waypoints.size(); i += static_cast<size_t>(step)) {
            const Waypoint& w = waypoints[i];
            ScreenPoint p = viewport.GeoToScreen({w.nLatitude, w.nLongitude, 0});
            if (area.Contains(p))
                out.Add(WaypointSymbol::Bitmap(WaypointSymbol::Choose(w, now), large, p));
        }
    }
}

} // namespace hw
