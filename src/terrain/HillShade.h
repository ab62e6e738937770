#pragma once

#include "terrain/ElevationGrid.h"
#include "terrain/ElevationRows.h"

#include <cstdint>
#include <vector>

namespace hw {

// Receives shaded rows as they are done, from several threads at once.
class ShadeSink {
public:
    virtual ~ShadeSink() = default;
    // Rows [first, first + count), a row's width of grey levels each;
    // false stops the shading.
    virtual bool Take(int first, int count, const uint8_t* shades) = 0;
};

// Where the light comes from and how much the heights are exaggerated.
struct HillShadeLight {
    double azimuth = 315.0; // degrees clockwise from north
    double altitude = 45.0; // degrees above the horizon
    double z = 1.0;         // vertical exaggeration
};

// Hill shading by Horn's method: the slope and aspect of each cell from its
// eight neighbours, lit by a distant light. Grey levels run from 1 (facing
// away) to 255 (facing the light); the one-cell border and every cell with
// a void among its neighbours are 0, as they have no slope.
//
// The cell spacing is given in the heights' unit: for a grid in degrees and
// heights in metres, the metres a cell spans in each direction (or the
// spacing in degrees times the ratio of horizontal to vertical units). The
// north–south spacing is negative when rows run southward.
class HillShade {
public:
    explicit HillShade(const HillShadeLight& light = {});

    // Shades one row (not the first or last) into out[0..width).
    void ShadeRow(const ElevationGrid& grid, int row, double spacingX, double spacingY,
                  uint8_t* out) const;
    // Shades the row `here` of `width` cells between the rows above and
    // below it; its first and last cells are border (0).
    void ShadeRow(const float* above, const float* here, const float* below, int width,
                  double spacingX, double spacingY, uint8_t* out) const;

    // The whole grid, each row with the same spacing; rows are shared among
    // the machine's cores.
    std::vector<uint8_t> Shade(const ElevationGrid& grid, double spacingX, double spacingY) const;
    // The same of a raster read row by row, three rows at a time in each
    // thread rather than the whole grid.
    std::vector<uint8_t> Shade(const ElevationRows& rows, double spacingX, double spacingY) const;
    // The same, handed to the sink in blocks of rows as they are done
    // rather than kept whole; false when the sink refused a block.
    bool Shade(const ElevationRows& rows, double spacingX, double spacingY, ShadeSink& sink) const;

    // A grid in degrees with heights in metres, each row with the ground
    // distance its cells span (the east–west spacing shrinks with the
    // cosine of the latitude).
    std::vector<uint8_t> ShadeGround(const ElevationGrid& grid) const;

    // The grey of flat ground.
    uint8_t Flat() const;

private:
    double sinAlt_ = 0.0;
    double cosAltSinAz_ = 0.0; // cos(altitude) * sin(azimuth) * z
    double cosAltCosAz_ = 0.0; // cos(altitude) * cos(azimuth) * z
    double z_ = 1.0;
};

} // namespace hw
