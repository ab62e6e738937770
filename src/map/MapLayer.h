#pragma once

#include "base/DrawList.h"

namespace hw {

class MapViewport;

// A layer drawn under the track and the waypoints, above the grid (the
// background road map). Without one nothing is drawn there.
class MapLayer {
public:
    virtual ~MapLayer() = default;
    virtual void Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const = 0;
};

} // namespace hw
