#pragma once

#include "map/TerrainDrawing.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <map>

class QPainter;

namespace hw {

class MapViewport;

// Multiplies the hill shading of the tiles in sight over a picture of the
// map, so that land cover and roads stay readable under it. Each tile's
// shades become a picture once per level, strength and gain (deeper far
// out); a repaint only blends.
class TerrainShading {
public:
    explicit TerrainShading(const TerrainDrawing& terrain) : terrain_(terrain) {}

    void Paint(QPainter& p, const MapViewport& viewport);

private:
    const QImage& TileImage(const TerrainDrawing::TileRef& tile);

    const TerrainDrawing& terrain_;
    std::map<TerrainDrawing::TileRef, QImage> images_;
    uint64_t revision_ = ~uint64_t{0};
    double gain_ = 0;
    std::array<uint8_t, 256> multipliers_{};
};

} // namespace hw
