#include "map/gui/MapWaypointManagerHost.h"

#include "base/CommandIds.h"
#include "map/gui/MapWnd.h"
#include "map/gui/RouteCommands.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointEditing.h"

namespace hw {

MapWaypointManagerHost::MapWaypointManagerHost(MapWnd& w) : w_(w) {}

GeoPoint MapWaypointManagerHost::Position() const
{
    return w_.map_.CurrentPosition();
}

bool MapWaypointManagerHost::EditStored(int serial)
{
    return w_.EditStoredWaypoint(serial, kPageSettings);
}

void MapWaypointManagerHost::Goto(int serial)
{
    Waypoint target;
    if (w_.waypoints_.FindBySerial(serial, target)) {
        w_.navigation_.StartGoto(target);
        w_.RedrawMap();
    }
}
void MapWaypointManagerHost::PlanRoute(int serial)
{
    w_.Routes().PlanToWaypoint(serial);
}
std::string MapWaypointManagerHost::RouteUnavailable() const
{
    return w_.Routes().Unavailable().toStdString();
}
void MapWaypointManagerHost::ShowOnMap(int serial)
{
    w_.CentreOnWaypoint(serial);
}

void MapWaypointManagerHost::SetPosition(const Waypoint& p)
{
    w_.map_.SetCurrentPosition({p.nLatitude, p.nLongitude, p.fAltitude});
    w_.RedrawMap();
}
bool MapWaypointManagerHost::CanShowGeocachePage() const
{
    CommandStatus status;
    return w_.QueryCommand(cmd::kShowGeocacheInfo, status);
}
void MapWaypointManagerHost::ShowGeocachePage(int serial)
{
    // The map's own command, on the waypoint chosen in the list.
    w_.selection_.Clear();
    w_.selection_.Serials().push_back(serial);
    w_.HandleCommand(cmd::kShowGeocacheInfo);
}
void MapWaypointManagerHost::DatabaseChanged()
{
    w_.selection_.Prune(w_.waypoints_);
    w_.SaveDatabase();
    w_.RedrawMap();
}

} // namespace hw
