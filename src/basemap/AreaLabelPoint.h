#pragma once

#include "geo/RoadPoint.h"

#include <cstdint>
#include <vector>

namespace hw {

// Where an area's name goes: a point well inside the area (its pole of
// inaccessibility, the inner point farthest from every edge, found to a
// small fraction of the area's size), moved to the middle of the area's
// horizontal span through it, so that a name centred there lies over the
// area even when the area is concave or has holes. The rings are filled
// even-odd, in microdegrees.
struct AreaLabelPoint {
    RoadPoint at;
    // The width of that span in microdegrees of longitude: how long a name
    // may be.
    int32_t span = 0;

    static AreaLabelPoint Of(const std::vector<std::vector<RoadPoint>>& rings);
};

} // namespace hw
