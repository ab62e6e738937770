#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 2)
        return Fail("wpt-convert: usage: wpt-convert IN OUT");
    WaypointDatabase db;
    WaypointFileInfo info;
    // The input is only read, even when it is of the text version.
    if (LoadWaypointDatabase(db, args[0], &info, false) != 1)
        return Fail("wpt-convert: cannot read the waypoint database " + args[0]);
    if (SaveWaypointDatabase(db, args[1]) != 1)
        return Fail("wpt-convert: cannot write " + args[1]);
    std::string out;
    JsonWriter(out)
        .BeginObject()
        .Key("version")
        .Int(info.version)
        .Key("waypoints")
        .Int(db.Count())
        .Key("truncated")
        .Bool(info.truncated)
        .EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar kRegistrar({"wpt-convert", "IN OUT",
                                       "reads a waypoint database of any version and writes it "
                                       "in the current version",
                                       &Run});

} // namespace
} // namespace hw::tool
