#pragma once

#include "waypoints/WaypointManagerHost.h"

namespace hw {

class MapWnd;

// The waypoint manager's view of the map window: the position, goto, the map
// and the geocache page of a waypoint chosen in the list.
class MapWaypointManagerHost final : public WaypointManagerHost {
public:
    explicit MapWaypointManagerHost(MapWnd& w);
    GeoPoint Position() const override;
    bool EditStored(int serial) override;
    void Goto(int serial) override;
    void PlanRoute(int serial) override;
    std::string RouteUnavailable() const override;
    void ShowOnMap(int serial) override;
    void SetPosition(const Waypoint& p) override;
    bool CanShowGeocachePage() const override;
    void ShowGeocachePage(int serial) override;
    void DatabaseChanged() override;

private:
    MapWnd& w_;
};

} // namespace hw
