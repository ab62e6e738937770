#pragma once

#include "terrain/TerrainDrawing.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

class QImage;

namespace hw {

class MapViewport;

// Multiplies the hill shading of the tiles in sight over a picture of the
// map, so that land cover and roads stay readable under it. Each tile's
// shades become multipliers once per level, strength and gain (deeper far
// out); a repaint only blends.
class TerrainShading {
public:
    explicit TerrainShading(const TerrainDrawing& terrain) : terrain_(terrain) {}

    // The picture is of the view's client area at its device pixel ratio,
    // of opaque pixels (Format_RGB32). A raster painter open on it may go
    // on painting after.
    void Paint(QImage& picture, const MapViewport& viewport);

private:
    const std::vector<uint8_t>& TileMultipliers(const TerrainDrawing::TileRef& tile);

    const TerrainDrawing& terrain_;
    std::map<TerrainDrawing::TileRef, std::vector<uint8_t>> tiles_;
    uint64_t revision_ = ~uint64_t{0};
    double gain_ = 0;
    std::array<uint8_t, 256> multipliers_{};
};

} // namespace hw
