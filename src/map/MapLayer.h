#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"

#include <cstdint>
#include <vector>

namespace hw {

class MapViewport;

// A layer drawn under the track and the waypoints, above the grid (the
// background road map). Without one nothing is drawn there.
class MapLayer {
public:
    virtual ~MapLayer() = default;
    virtual void Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const = 0;
    // Changes whenever the layer would draw the same view differently (its
    // data, its classes, its colours), so that a kept picture of it is
    // known to be stale.
    virtual uint64_t Revision() const { return 0; }
    // Whether the latest Draw put anything on the map: the track gets its
    // casing only over something drawn.
    virtual bool Drew() const { return true; }
    // Texts that belong to the layer (its credit, its figures), drawn over
    // everything else; top is the first free row at the top left.
    virtual void DrawLabels(const MapViewport& viewport, int top, DrawList& out) const
    {
        (void)viewport, (void)top, (void)out;
    }
    // The layer's symbols and names, kept clear of the obstacles and of each
    // other; drawn after the layer itself. Returns the boxes of the names.
    virtual std::vector<ScreenRect> DrawNames(const MapViewport& viewport, double scaleKm,
                                              const std::vector<ScreenRect>& obstacles,
                                              const TextMeasure& measure, DrawList& out) const
    {
        (void)viewport, (void)scaleKm, (void)obstacles, (void)measure, (void)out;
        return {};
    }
};

} // namespace hw
