#pragma once

#include "terrain/ElevationGrid.h"
#include "terrain/TerrainSummary.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hw {

// One tile of a level of a terrain file.
struct TerrainTile {
    uint32_t size = 0;
    std::vector<float> heights;  // size x size, row by row, NaN a void
    std::vector<uint8_t> shades; // size x size, 0 no slope known
};

// A terrain file, opened for reading tiles on demand. The header is checked
// against the file's size so that damaged or foreign bytes are refused
// before any tile is read.
class TerrainFile {
public:
    struct Level {
        uint32_t width = 0, height = 0;
        uint32_t tilesX = 0, tilesY = 0;
        uint64_t heightsAt = 0, shadesAt = 0;
        GridPlacement placement;
    };

    // false with a message when the file is missing, damaged or of another kind.
    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    // The file opened last.
    const std::string& Path() const { return path_; }

    const TerrainSummary& Summary() const { return summary_; }
    uint32_t TileSize() const { return tileSize_; }
    const std::vector<Level>& Levels() const { return levels_; }

    // false when the tile is outside the level or cannot be read.
    bool ReadTile(size_t level, uint32_t tx, uint32_t ty, TerrainTile& tile) const;
    // The tile's shades alone (a fifth of its bytes), as ReadTile reads them.
    bool ReadShades(size_t level, uint32_t tx, uint32_t ty, std::vector<uint8_t>& shades) const;

    // The height at a point, bilinear between the full-resolution cells
    // around it (voids the import filled give heights); NaN outside the grid
    // or beside a void left unfilled. Keeps the last tiles read.
    double HeightAt(double lat, double lon);

private:
    float CellHeight(int col, int row);

    std::string path_;
    std::unique_ptr<std::ifstream> file_;
    TerrainSummary summary_;
    uint32_t tileSize_ = 0;
    std::vector<Level> levels_;
    std::map<uint64_t, TerrainTile> cache_;
};

} // namespace hw
