#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

#include <cstdio>
#include <filesystem>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    bool replace = false;
    CsvImportSettings csv;
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (a == "--replace")
            replace = true;
        else if (a == "--csv-latlon")
            csv.latitudeFirst = true;
        else if (a == "--csv-skip-first")
            csv.skipFirstLine = true;
        else if (a.starts_with("--"))
            return Fail("wpt-import: unknown option " + a);
        else
            paths.push_back(a);
    }
    if (paths.size() < 2)
        return Fail("wpt-import: usage: wpt-import DB FILE... [--replace] [--csv-latlon] "
                    "[--csv-skip-first]");
    const std::string& dbPath = paths[0];
    WaypointDatabase db;
    std::error_code ec;
    if (std::filesystem::exists(dbPath, ec) &&
        LoadWaypointDatabase(db, dbPath, nullptr, false, WaypointTexts::Deferred) != 1)
        return Fail("wpt-import: " + dbPath + " is not a waypoint database");

    int status = 0;
    for (size_t i = 1; i < paths.size(); ++i) {
        ImportResult r = ImportWaypointFile(db, paths[i], replace, csv);
        if (!r.error.empty()) {
            std::fprintf(stderr, "hikewise-tool: wpt-import: %s: %s\n", paths[i].c_str(),
                         r.error.c_str());
            status = 1;
        } else if (!r.opened) {
            std::fprintf(stderr, "hikewise-tool: wpt-import: cannot open %s\n", paths[i].c_str());
            status = 1;
        }
        std::string out;
        JsonWriter(out)
            .BeginObject()
            .Key("added")
            .Int(r.added)
            .Key("replaced")
            .Int(r.replaced)
            .EndObject();
        std::printf("%s\n", out.c_str());
    }
    if (SaveWaypointDatabase(db, dbPath) != 1)
        return Fail("wpt-import: cannot write " + dbPath);
    return status;
}

const ToolCommandRegistrar
    kRegistrar({"wpt-import", "DB FILE... [--replace] [--csv-latlon] [--csv-skip-first]",
                "imports GPX, XML, LOC and CSV files into a waypoint database "
                "(created when absent); prints the counts per file",
                &Run, true});

} // namespace
} // namespace hw::tool
