#pragma once

#include "geo/GeoPoint.h"

#include <string>

namespace hw {

class Waypoint;

// What the waypoint manager asks of the window that opened it: the position
// distances count from, and the commands that reach beyond the list.
class WaypointManagerHost {
public:
    virtual ~WaypointManagerHost() = default;
    virtual GeoPoint Position() const = 0;
    // The edit sheet on a stored waypoint, with the name check; true when
    // it changed (and was saved).
    virtual bool EditStored(int serial) = 0;
    virtual void Goto(int serial) = 0;
    // Plans a route on foot from the position to the waypoint and follows it.
    virtual void PlanRoute(int serial) = 0;
    // Why routes cannot be planned now; empty when they can.
    virtual std::string RouteUnavailable() const = 0;
    virtual void ShowOnMap(int serial) = 0;
    // The position distances count from becomes the waypoint's.
    virtual void SetPosition(const Waypoint& w) = 0;
    virtual bool CanShowGeocachePage() const = 0;
    virtual void ShowGeocachePage(int serial) = 0;
    // The list changed the database (delete, multi-edit): save it.
    virtual void DatabaseChanged() = 0;
};

} // namespace hw
