#pragma once

#include "map/MapLayer.h"
#include "map/RoadStyle.h"

#include <cstdint>

namespace hw {

class RoadLayer;

// The road map on the map view: the ways of the shown classes whose cells
// lie in sight, projected, cut to the view and drawn class by class in the
// road style; then the node count and, while roads are drawn, the
// OpenStreetMap credit that the data's licence asks for.
class RoadDrawing : public MapLayer {
public:
    static constexpr const char* kNodeCountFormat = "节点计数:%d";
    static constexpr const char* kCredit = "\xC2\xA9 OpenStreetMap contributors";
    // How far past the view lines are kept (the widest road's half width).
    static constexpr int kMargin = RoadStyle::kWidestRoad;

    explicit RoadDrawing(const RoadLayer& layer) : layer_(layer) {}
    void SetPalette(RoadStyle::Palette palette) { palette_ = palette; }

    void Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const override;
    void DrawLabels(const MapViewport& viewport, int top, DrawList& out) const override;
    uint64_t Revision() const override;

    // The points of the ways drawn by the last Draw.
    uint64_t NodesDrawn() const { return nodes_; }
    bool Drew() const override { return nodes_ > 0; }

private:
    const RoadLayer& layer_;
    RoadStyle::Palette palette_ = RoadStyle::Palette::Day;
    mutable uint64_t nodes_ = 0;
    mutable bool drewRoads_ = false;
};

} // namespace hw
