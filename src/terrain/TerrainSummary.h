#pragma once

#include <cstdint>
#include <string>

namespace hw {

// What a terrain file holds: the grid's size, the area its cells cover in
// degrees, the lowest and highest height, the number of voids of its
// rasters and how many of them were filled, and where its heights came from.
struct TerrainSummary {
    uint32_t width = 0;
    uint32_t height = 0;
    double minLat = 0.0, minLon = 0.0, maxLat = 0.0, maxLon = 0.0;
    double min = 0.0;
    double max = 0.0;
    uint64_t voids = 0;
    uint64_t filled = 0;
    // The credit of the data, e.g. "NASA/USGS SRTM"; empty when unknown.
    std::string credit;
    // {"width":W,"height":H,"bounds":{"minlat":..,"minlon":..,"maxlat":..,
    // "maxlon":..},"min":M,"max":X,"voids":V,"filled":F}
    std::string Json() const;
};

} // namespace hw
