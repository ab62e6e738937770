#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"
#include "basemap/TopoStyle.h"

#include <cstdint>
#include <vector>

namespace hw {

class LabelPlacer;
class MapViewport;
class RoadLayer;

// The topographic part of the map: the areas and lines of the zoom band
// that suits the view, projected, cut to the view and drawn class by class;
// then the point symbols and the names, placed so that none overlaps
// another, a mark over the map or the position icon.
class TopoDrawing {
public:
    // How far past the view areas and lines are kept.
    static constexpr int kMargin = 8;
    // "%s %d m": a peak's name and elevation.
    static constexpr const char* kPeakFormat = "%s %d m";
    static constexpr const char* kPeakFormatFeet = "%s %d ft";

    explicit TopoDrawing(const RoadLayer& layer) : layer_(layer) {}

    // Sea, land cover, water, buildings, rivers and streams, cliffs: under the roads.
    void DrawBelowRoads(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                        DrawList& out) const;
    // Aerialways and power lines: over the roads.
    void DrawAboveRoads(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                        DrawList& out) const;
    // Symbols and names, by importance: places by rank, peaks, passes, huts,
    // springs, viewpoints, the names of lakes and woods; each where the
    // placer finds room.
    void DrawNames(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                   bool feet, LabelPlacer& placer, const TextMeasure& measure, DrawList& out) const;

    // The points of the areas and lines the last draws looked at.
    uint64_t NodesDrawn() const { return nodes_; }
    void ResetCount() const { nodes_ = 0; }

    // An area's rings as one polygon, cut to a rectangle, filled even-odd:
    // each ring after the first is reached from the first ring's start and
    // left back to it, so that the joining edges cancel out.
    static std::vector<ScreenPoint> AreaPolygon(const std::vector<std::vector<ScreenPoint>>& rings,
                                                const ScreenRect& clip);

private:
    void DrawLines(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                   unsigned lineMask, DrawList& out) const;

    const RoadLayer& layer_;
    mutable uint64_t nodes_ = 0;
};

} // namespace hw
