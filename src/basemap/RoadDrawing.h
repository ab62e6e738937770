#pragma once

#include "base/Translate.h"
#include "basemap/RoadStyle.h"
#include "basemap/TopoDrawing.h"
#include "geo/MapLayer.h"

#include <cstdint>

namespace hw {

class RoadLayer;

// The map file on the map view: the topographic areas and lines of the
// ground (under the relief's contours); then the ways of the shown road classes whose cells lie in
// sight, projected, cut to the view and drawn class by class in the road style; aerialways and
// power lines over them; the symbols and names; then the node count and, while anything of the map
// is drawn, the OpenStreetMap credit that the data's licence asks for.
class RoadDrawing : public MapLayer {
public:
    static constexpr const char* kNodeCountFormat = HW_TRANSLATE_NOOP("RoadDrawing", "节点计数:%d");
    static constexpr const char* kCredit = "\xC2\xA9 OpenStreetMap contributors";
    // How far past the view lines are kept (the widest road's half width).
    static constexpr int kMargin = RoadStyle::kWidestRoad;

    explicit RoadDrawing(const RoadLayer& layer) : layer_(layer), topo_(layer) {}
    void SetPalette(RoadStyle::Palette palette) { palette_ = palette; }
    // Peaks' elevations in feet rather than metres.
    void SetAltitudeFeet(bool feet) { feet_ = feet; }

    // Sea, land cover, water, buildings, streams and rivers, cliffs.
    void DrawGround(const MapViewport& viewport, double scaleKm, DrawList& out) const override;
    // The roads, then aerialways and power lines.
    void Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const override;
    void DrawLabels(const MapViewport& viewport, int top, DrawList& out) const override;
    void DrawNames(const MapViewport& viewport, double scaleKm, LabelPlacer& placer,
                   const TextMeasure& measure, DrawList& out) const override;
    uint64_t Revision() const override;

    // The points of the ways, areas and lines drawn by the last DrawGround and Draw.
    uint64_t NodesDrawn() const { return groundNodes_ + nodes_; }
    bool Drew() const override { return NodesDrawn() > 0; }

private:
    const RoadLayer& layer_;
    TopoDrawing topo_;
    RoadStyle::Palette palette_ = RoadStyle::Palette::Day;
    bool feet_ = false;
    mutable uint64_t groundNodes_ = 0;
    mutable uint64_t nodes_ = 0;
};

} // namespace hw
