// dem-contours IN OUT.geojson --interval M [--base B]: the contour lines of
// an elevation raster as GeoJSON, in the raster's coordinates.
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/AtomicFile.h"
#include "base/JsonWriter.h"
#include "terrain/ContourTracer.h"
#include "terrain/raster/ElevationRasterReader.h"

#include <cstdio>

namespace hw::tool {
namespace {

std::string GeoJson(const std::vector<ContourLine>& lines, const GridPlacement& p)
{
    std::string out;
    JsonWriter j(out);
    j.BeginObject().Key("type").String("FeatureCollection").Key("features").BeginArray();
    for (const ContourLine& line : lines) {
        j.BeginObject().Key("type").String("Feature");
        j.Key("properties").BeginObject().Key("elev").Real(line.elevation).EndObject();
        j.Key("geometry").BeginObject().Key("type").String("LineString");
        j.Key("coordinates").BeginArray();
        for (const ContourPoint& pt : line.points)
            j.BeginArray().Real(p.X(pt.x)).Real(p.Y(pt.y)).EndArray();
        j.EndArray().EndObject().EndObject();
    }
    j.EndArray().EndObject();
    out += '\n';
    return out;
}

int Run(const Args& given)
{
    Args args = given;
    double interval = 0.0;
    double base = 0.0;
    std::string error;
    if (!TakeNumberOption(args, "--interval", interval, error) ||
        !TakeNumberOption(args, "--base", base, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() != 2)
        return Fail("usage: dem-contours IN OUT.geojson --interval M [--base B]");
    if (!(interval > 0.0))
        return Fail("--interval takes a number above 0");
    ElevationGrid grid;
    if (!ElevationRasterReader().Read(args[0], grid, error))
        return Fail(error);
    ContourTracer tracer(interval, base);
    ElevationStatistics stats = ElevationStatistics::Of(grid);
    if (tracer.LevelCount(stats.min, stats.max) > ContourTracer::kMaxLevels)
        return Fail("--interval is too small for heights from " + std::to_string(stats.min) +
                    " to " + std::to_string(stats.max));
    std::vector<ContourLine> lines = tracer.Trace(grid);
    if (!WriteFileAtomically(args[1], GeoJson(lines, grid.Placement())))
        return Fail("cannot write " + args[1]);
    return 0;
}

const ToolCommandRegistrar
    registrar({"dem-contours", "IN OUT.geojson --interval M [--base B]",
               "the contour lines of an elevation raster at every multiple of M plus B, as GeoJSON "
               "LineStrings with the property \"elev\", in the raster's coordinates",
               &Run});

} // namespace
} // namespace hw::tool
