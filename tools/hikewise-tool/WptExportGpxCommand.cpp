#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "waypoints/GpxWaypointWriter.h"
#include "waypoints/WaypointFileReader.h"

#include <cstdio>
#include <ctime>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 2)
        return Fail("wpt-export-gpx: usage: wpt-export-gpx DB OUT.gpx");
    WaypointDatabase db;
    if (LoadWaypointDatabase(db, args[0], nullptr, false) != 1)
        return Fail("wpt-export-gpx: cannot read the waypoint database " + args[0]);
    if (ExportGpxFile(db, args[1], std::time(nullptr)) != 1)
        return Fail("wpt-export-gpx: cannot write " + args[1]);
    std::string out;
    JsonWriter(out).BeginObject().Key("exported").Int(db.Count()).EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar kRegistrar({"wpt-export-gpx", "DB OUT.gpx",
                                       "exports every waypoint of a database as GPX 1.0", &Run});

} // namespace
} // namespace hw::tool
