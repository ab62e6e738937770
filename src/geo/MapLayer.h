#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"

#include <cstdint>
#include <vector>

namespace hw {

class LabelPlacer;
class MapViewport;

// A layer drawn under the track and the waypoints, above the grid (the
// background road map). Without one nothing is drawn there.
class MapLayer {
public:
    virtual ~MapLayer() = default;
    // The ground (land, water, land cover): drawn first, under the relief's
    // shading and lines, which every layer's Draw comes after.
    virtual void DrawGround(const MapViewport& viewport, double scaleKm, DrawList& out) const
    {
        (void)viewport, (void)scaleKm, (void)out;
    }
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
    // The layer's symbols and names, drawn after every layer; the placer is
    // shared by all layers, so that no name meets another layer's, a mark
    // over the map or the position icon.
    virtual void DrawNames(const MapViewport& viewport, double scaleKm, LabelPlacer& placer,
                           const TextMeasure& measure, DrawList& out) const
    {
        (void)viewport, (void)scaleKm, (void)placer, (void)measure, (void)out;
    }
};

} // namespace hw
