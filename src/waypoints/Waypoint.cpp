#include "waypoints/Waypoint.h"

#include "waypoints/WaypointTextSource.h"

#include <tuple>

namespace hw {

Waypoint::~Waypoint() = default;

Waypoint Waypoint::WithTexts() const
{
    Waypoint whole = *this;
    if (file.textsDeferred && file.source && file.source->DecodeTexts(file, whole))
        whole.file.textsDeferred = false;
    whole.file.asInFile = false;
    return whole;
}

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
