#pragma once

#include "route/RoutePlanner.h"
#include "route/WalkingNetwork.h"

#include <memory>
#include <string>

namespace hw {

class RoadMap;

// The walking network of a map file made ready for planning: read once,
// with the heights of a terrain file when one is given (they win over the
// stored ones), and a planner over it.
class PlanningNetwork {
public:
    // Why routes cannot be planned on a map: no map loaded, or a map file
    // made before the network was imported.
    enum class Lack { None, NoMap, NoNetwork };
    static Lack LackOf(const RoadMap& map);

    // Reads the network and measures the planner's landmarks; false with a
    // message when the network or the terrain cannot be read. Takes long on
    // a country's map: run it beside the user interface's thread.
    bool Prepare(const RoadMap& map, const std::string& terrainPath, std::string& error);
    bool Prepared() const { return planner_ != nullptr; }
    RoutePlanner& Planner() { return *planner_; }
    const WalkingNetwork& Network() const { return network_; }

private:
    WalkingNetwork network_;
    std::unique_ptr<RoutePlanner> planner_;
};

} // namespace hw
