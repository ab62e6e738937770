#include "waypoints/Waypoint.h"

#include <tuple>

namespace hw {

Waypoint::~Waypoint() = default;

bool Waypoint::SameContent(const Waypoint& o) const
{
    auto fields = [](const Waypoint& w) {
        return std::tie(w.nLatitude, w.nLongitude, w.fAltitude, w.strName, w.icon,
                        w.bActiveWaypoint, w.dActiveWPDistance, w.strComment, w.strSoundFile,
                        w.nType, w.nGeocacheState, w.timeGeochacheFound,
                        w.bUseGeocacheStateForIconID, w.strURL, w.timeCreated,
                        w.nActiveWaypointMessageType, w.geocache, w.strFieldNotes, w.nVisitLogType);
    };
    return fields(*this) == fields(o);
}

} // namespace hw
