#include "route/PlanningNetwork.h"

#include "basemap/RoadMap.h"
#include "terrain/TerrainFile.h"

namespace hw {

PlanningNetwork::Lack PlanningNetwork::LackOf(const RoadMap& map)
{
    if (!map.NetworkSection().empty())
        return Lack::None;
    return map.Empty() ? Lack::NoMap : Lack::NoNetwork;
}

bool PlanningNetwork::Prepare(const RoadMap& map, const std::string& terrainPath,
                              std::string& error)
{
    planner_.reset();
    if (!network_.Read(map, error))
        return false;
    if (!terrainPath.empty()) {
        TerrainFile terrain; // its own, as the map's drawing reads the shown one
        if (!terrain.Open(terrainPath, error))
            return false;
        network_.LookUpHeights(
            [&terrain](double lat, double lon) { return terrain.HeightAt(lat, lon); });
    }
    planner_ = std::make_unique<RoutePlanner>(network_);
    return true;
}

} // namespace hw
