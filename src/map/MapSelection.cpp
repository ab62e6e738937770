#include "map/MapSelection.h"

#include "waypoints/WaypointDatabase.h"

#include <algorithm>

namespace hw {

bool MapSelection::FoundChecked(const WaypointDatabase& db) const
{
    if (serials_.size() != 1)
        return false;
    const Waypoint* w = db.StoredBySerial(serials_.front());
    return w && (w->nGeocacheState == 1 || w->nGeocacheState == 5);
}

void MapSelection::Prune(const WaypointDatabase& db)
{
    std::erase_if(serials_, [&db](int serial) { return db.StoredBySerial(serial) == nullptr; });
}

} // namespace hw
