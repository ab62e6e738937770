// dem-shade IN OUT.pgm: the hill shading of an elevation raster on its own
// grid, as an 8-bit binary PGM.
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/AtomicFile.h"
#include "map/HillShade.h"
#include "map/raster/ElevationRasterReader.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& given)
{
    Args args = given;
    HillShadeLight light;
    double scale = 1.0;
    std::string error;
    if (!TakeNumberOption(args, "--scale", scale, error) ||
        !TakeNumberOption(args, "--azimuth", light.azimuth, error) ||
        !TakeNumberOption(args, "--altitude", light.altitude, error) ||
        !TakeNumberOption(args, "--z", light.z, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() != 2)
        return Fail("usage: dem-shade IN OUT.pgm [--scale S] [--azimuth A] [--altitude H] [--z Z]");
    if (!(scale > 0.0))
        return Fail("--scale takes a number above 0");
    ElevationGrid grid;
    if (!ElevationRasterReader().Read(args[0], grid, error))
        return Fail(error);
    const GridPlacement& p = grid.Placement();
    std::vector<uint8_t> shades = HillShade(light).Shade(grid, p.stepX * scale, p.stepY * scale);
    std::string pgm =
        "P5\n" + std::to_string(grid.Width()) + " " + std::to_string(grid.Height()) + "\n255\n";
    pgm.append(reinterpret_cast<const char*>(shades.data()), shades.size());
    if (!WriteFileAtomically(args[1], pgm))
        return Fail("cannot write " + args[1]);
    return 0;
}

const ToolCommandRegistrar registrar(
    {"dem-shade", "IN OUT.pgm [--scale S] [--azimuth A] [--altitude H] [--z Z]",
     "the hill shading of an elevation raster on its own grid (8-bit PGM): light from azimuth "
     "315 and altitude 45 by default, --scale the ratio of horizontal to vertical units "
     "(111120 for degrees and metres), --z the vertical exaggeration; border and voids 0",
     &Run});

} // namespace
} // namespace hw::tool
