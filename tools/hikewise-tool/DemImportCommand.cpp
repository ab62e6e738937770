// dem-import IN... OUT.dem: elevation rasters as one terrain file.
#include "ToolCommand.h"

#include "map/TerrainFileWriter.h"
#include "map/raster/ElevationRasterReader.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() < 2)
        return Fail("usage: dem-import IN... OUT.dem");
    std::vector<std::string> inputs(args.begin(), args.end() - 1);
    ElevationGrid grid;
    std::string error;
    if (!ElevationRasterReader().ReadJoined(inputs, grid, error))
        return Fail(error + "; no terrain file written");
    TerrainFileWriter writer(grid);
    if (!writer.Write(args.back(), error))
        return Fail(error);
    std::string line = writer.Summary().Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"dem-import", "IN... OUT.dem",
     "elevation rasters (SRTM .hgt, GeoTIFF, DTED; neighbouring tiles joined, projected ones "
     "warped to degrees) as one terrain file; prints its summary: width, height, bounds, min, "
     "max, voids",
     &Run});

} // namespace
} // namespace hw::tool
