// dem-import IN... OUT.dem: elevation rasters as one terrain file.
#include "ProgressLine.h"
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "terrain/TerrainFileLayout.h"
#include "terrain/TerrainFileWriter.h"
#include "terrain/VoidFill.h"
#include "terrain/raster/ElevationRasterReader.h"

#include <cmath>
#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& given)
{
    Args args = given;
    double tileSize = TerrainFileWriter::kTileSize;
    std::string error;
    if (!TakeNumberOption(args, "--tile-size", tileSize, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() < 2)
        return Fail("usage: dem-import IN... OUT.dem [--tile-size N]");
    if (tileSize != std::floor(tileSize) || tileSize < terrain_file::kMinTileSize ||
        tileSize > terrain_file::kMaxTileSize)
        return Fail("--tile-size takes a whole number of cells from " +
                    std::to_string(terrain_file::kMinTileSize) + " to " +
                    std::to_string(terrain_file::kMaxTileSize));
    std::vector<std::string> inputs(args.begin(), args.end() - 1);
    // Many tiles take minutes: the phases on a terminal, nothing on a pipe.
    ProgressLine progress("dem-import");
    progress.Show("reading", 0);
    ElevationGrid grid;
    if (!ElevationRasterReader().ReadJoined(
            inputs, grid, error, [&progress](std::size_t read, std::size_t total) {
                progress.Show("reading", static_cast<double>(read) / static_cast<double>(total));
            })) {
        progress.Done();
        return Fail(error + "; no terrain file written");
    }
    // The map draws the voids filled; the file keeps how many were.
    progress.Show("filling voids", -1);
    const uint64_t filled = VoidFill::Fill(grid);
    progress.Show("writing", -1);
    TerrainFileWriter writer(grid, static_cast<uint32_t>(tileSize));
    writer.SetSource(ElevationRasterReader::Credit(inputs), filled);
    const bool written = writer.Write(args.back(), error);
    progress.Done();
    if (!written)
        return Fail(error);
    std::string line = writer.Summary().Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"dem-import", "IN... OUT.dem [--tile-size N]",
     "elevation rasters (SRTM .hgt, GeoTIFF, DTED; neighbouring tiles joined, projected ones "
     "warped to degrees) as one terrain file, its voids filled from their edges up to 100 cells "
     "out, in tiles of N x N cells (default 256); prints its summary: width, height, bounds, "
     "min, max, voids, filled",
     &Run});

} // namespace
} // namespace hw::tool
