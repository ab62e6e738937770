#pragma once

#include <cstdint>

namespace hw {

// A point of a road in microdegrees.
struct RoadPoint {
    int32_t lat = 0;
    int32_t lon = 0;
};

// An area in microdegrees, bounds included.
struct RoadBox {
    int32_t minLat = 0, minLon = 0, maxLat = 0, maxLon = 0;
    bool Overlaps(const RoadBox& o) const
    {
        return minLat <= o.maxLat && o.minLat <= maxLat && minLon <= o.maxLon && o.minLon <= maxLon;
    }
};

} // namespace hw
