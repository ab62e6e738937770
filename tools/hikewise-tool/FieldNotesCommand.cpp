#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    bool markLogged = false;
    Args files;
    for (const std::string& a : args) {
        if (a == "--mark-logged")
            markLogged = true;
        else if (a.rfind("--", 0) == 0)
            return Fail("unknown option " + a);
        else
            files.push_back(a);
    }
    if (files.size() != 2)
        return Fail("usage: field-notes DB OUT [--mark-logged]");
    const std::string& dbPath = files[0];
    const std::string& outPath = files[1];

    WaypointDatabase db;
    if (!LoadWaypointDatabase(db, dbPath))
        return Fail("cannot load the waypoint database " + dbPath);
    VisitExport result = ExportVisits(db, outPath, markLogged);
    if (!result.written)
        return Fail("cannot write " + outPath + " (the database is unchanged)");
    // The visits written are no longer pending: the database keeps that.
    if (result.visits > 0 && !SaveWaypointDatabase(db, dbPath))
        return Fail("wrote " + outPath + " but cannot save " + dbPath +
                    "; its visits stay pending there");

    std::string out;
    JsonWriter json(out);
    json.BeginObject().Key("visits").Int(result.visits).EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar registrar({"field-notes", "DB OUT [--mark-logged]",
                                      "writes the pending geocache visits of DB to the field-notes "
                                      "file OUT and saves DB with them no longer pending",
                                      Run});

} // namespace
} // namespace hw::tool
