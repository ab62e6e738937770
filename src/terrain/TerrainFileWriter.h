#pragma once

#include "terrain/ElevationGrid.h"
#include "terrain/TerrainSummary.h"

#include <string>

namespace hw {

// Builds a terrain file from a grid in geographic degrees with heights in
// metres. The file holds the heights at full resolution and in overviews,
// each half the size of the one before until one tile holds it all, cut
// into square tiles; beside every tile its hill shading, computed over the
// whole level so that tiles meet without a seam, so that the map only reads
// and blends.
//
// Layout (little-endian): the magic "HWTERRN\0", version, width, height,
// placement (west, north, cell width and height in degrees), lowest and
// highest height, voids, tile size, number of levels; voids filled and the
// credit (its length, then its bytes); per level its width,
// height and the offsets of its height tiles and shade tiles. A level's
// tiles run row by row, each tile size squared: heights as 32-bit floats
// (NaN a void), shades as bytes (0 no slope known).
class TerrainFileWriter {
public:
    static constexpr uint32_t kTileSize = 256;

    // tileSize: the side of a tile in cells, 16 to 4096 (kMinTileSize and
    // kMaxTileSize of the layout); the map reads any.
    explicit TerrainFileWriter(const ElevationGrid& grid, uint32_t tileSize = kTileSize);
    // The grid's credit, and how many voids of its rasters were filled
    // (counted among its voids). A credit is cut to what the file keeps.
    void SetSource(const std::string& credit, uint64_t filled);

    const TerrainSummary& Summary() const { return summary_; }
    std::string Bytes() const;
    // Written atomically; false with a message, any previous file kept.
    bool Write(const std::string& path, std::string& error) const;

private:
    const ElevationGrid& grid_;
    uint32_t tileSize_;
    TerrainSummary summary_;
};

// The summary of a grid, as a terrain file of it reports.
TerrainSummary SummaryOf(const ElevationGrid& grid);

// A grid of half the width and height (rounded up), each cell the mean of
// the known heights of the up to four cells it covers.
ElevationGrid HalveGrid(const ElevationGrid& grid);

} // namespace hw
