#pragma once

#include "terrain/ElevationGrid.h"
#include "terrain/ElevationRows.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hw {

// Reads elevation rasters (SRTM .hgt, GeoTIFF, DTED and whatever else GDAL
// reads) into grids: the first band as heights, its no-data cells as voids.
// SRTM tiles and plain GeoTIFFs are read straight from their files; the
// rest through GDAL, loaded when first needed.
class ElevationRasterReader {
public:
    // Largest grid read, in cells (a float each): about 3 x 3 tiles of one
    // arc-second, so that the import (grid and file built in memory) stays
    // within a couple of gigabytes.
    static constexpr double kMaxCells = 150e6;

    // The raster on its own grid, in its own coordinates.
    bool Read(const std::string& path, ElevationGrid& grid, std::string& error) const;
    // The same, row by row: a directly read raster is converted as its rows
    // are asked for. Null, with the reason in error, when it cannot be read.
    std::unique_ptr<ElevationRows> OpenRows(const std::string& path, std::string& error) const;

    // The raster in geographic coordinates (WGS 84 degrees): a projected or
    // rotated raster is warped, bilinear, at about its own resolution.
    bool ReadGeographic(const std::string& path, ElevationGrid& grid, std::string& error) const;

    // Neighbouring rasters in geographic coordinates joined into one grid
    // (they must share a cell size); where they overlap, the first known
    // height wins, so that the shared edge of two tiles is one column.
    // `read` hears how many of the rasters are read, after each.
    using ReadProgress = std::function<void(std::size_t read, std::size_t total)>;
    bool ReadJoined(const std::vector<std::string>& paths, ElevationGrid& grid, std::string& error,
                    const ReadProgress& read = {}) const;

    // Where the heights of rasters came from, each credited once in order:
    // "NASA/USGS SRTM" for an SRTM tile, a TIFF's own copyright where it has
    // one, else the file's name.
    static std::string Credit(const std::vector<std::string>& paths);
};

} // namespace hw
