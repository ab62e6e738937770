#pragma once

#include "terrain/ElevationGrid.h"

#include <cstdint>

namespace hw {

// Fills the voids of a grid for drawing, as GDAL's fill of no-data areas
// does without smoothing: from each void, the nearest known cell is sought
// in each of four quadrants around it (up to searchCells away), and the
// void takes their mean weighted by the inverse of their distance. Voids
// with no known cell that near stay voids. Known cells are never changed.
class VoidFill {
public:
    static constexpr int kSearchCells = 100;

    // Returns the number of voids filled.
    static uint64_t Fill(ElevationGrid& grid, int searchCells = kSearchCells);
};

} // namespace hw
