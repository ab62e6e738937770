// dem-shade IN OUT.pgm: the hill shading of an elevation raster on its own
// grid, as an 8-bit binary PGM.
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/AtomicFileWriter.h"
#include "terrain/HillShade.h"
#include "terrain/raster/ElevationRasterReader.h"

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
    std::unique_ptr<ElevationRows> rows = ElevationRasterReader().OpenRows(args[0], error);
    if (!rows)
        return Fail(error);
    const GridPlacement p = rows->Placement();
    const std::string head =
        "P5\n" + std::to_string(rows->Width()) + " " + std::to_string(rows->Height()) + "\n255\n";
    AtomicFileWriter out(args[1]);
    // Blocks of rows go to their place in the file as they are shaded.
    struct FileSink final : ShadeSink {
        AtomicFileWriter& out;
        uint64_t start;
        uint64_t width;
        FileSink(AtomicFileWriter& o, uint64_t s, uint64_t w) : out(o), start(s), width(w) {}
        bool Take(int first, int count, const uint8_t* shades) override
        {
            return out.WriteAt(start + width * static_cast<uint64_t>(first),
                               reinterpret_cast<const char*>(shades),
                               width * static_cast<uint64_t>(count));
        }
    } sink(out, head.size(), static_cast<uint64_t>(rows->Width()));
    if (!out.Open() || !out.WriteAt(0, head.data(), head.size()) ||
        !HillShade(light).Shade(*rows, p.stepX * scale, p.stepY * scale, sink) || !out.Commit())
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
