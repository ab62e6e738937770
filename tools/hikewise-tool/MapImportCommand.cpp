// map-import IN.osm.pbf OUT.map: the roads, paths and railways of an
// OpenStreetMap extract, with its water, land cover, relief lines, peaks and
// names, as a map file.
#include "ToolCommand.h"

#include "base/AtomicFile.h"
#include "basemap/RoadMap.h"
#include "basemap/osm/OsmExtractImport.h"

#include <cstdio>
#include <exception>
#include <limits>
#include <string>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 2)
        return Fail("usage: map-import IN.osm.pbf OUT.map");
    RoadMapWriter writer;
    try {
        OsmExtractImport::Read(args[0], writer);
    } catch (const std::exception& e) {
        return Fail("cannot read the extract '" + args[0] + "': " + e.what());
    }
    const RoadMapSummary summary = writer.Summary();
    if (summary.nodes > std::numeric_limits<uint32_t>::max() ||
        writer.Topo().PointCount() > std::numeric_limits<uint32_t>::max())
        return Fail("the extract holds too many points for one map file");
    if (!WriteFileAtomically(args[1], writer.Bytes()))
        return Fail("cannot write '" + args[1] + "'");
    std::string line = summary.Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"map-import", "IN.osm.pbf OUT.map",
     "the roads, water, land cover, relief lines and named points of an OpenStreetMap extract "
     "as a map file; prints its summary",
     &Run});

} // namespace
} // namespace hw::tool
