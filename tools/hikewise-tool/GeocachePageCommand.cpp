#include "ToolCommand.h"

#include "base/Clock.h"
#include "base/JsonWriter.h"
#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/WaypointFileReader.h"

#include <cstdio>
#include <filesystem>

namespace hw::tool {
namespace {

// The page templates: installed beside the program, or in the source tree
// when it runs from a build folder.
std::string TemplatesFolder()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path installed = exe.parent_path().parent_path() / "share/hikewise/templates";
        if (fs::is_regular_file(installed / "cachetpl.htm", ec))
            return installed.string();
    }
    return HIKEWISE_SOURCE_DATA_DIR "/templates";
}

int Run(const Args& args)
{
    if (args.size() != 3)
        return Fail("usage: geocache-page DB NAME OUTDIR");
    const std::string& dbPath = args[0];
    const std::string& name = args[1];
    const std::string& outDir = args[2];

    WaypointDatabase db;
    if (!LoadWaypointDatabase(db, dbPath))
        return Fail("cannot load the waypoint database " + dbPath);
    const Waypoint* found = nullptr;
    db.ForEach([&](const Waypoint& w) {
        if (!found && w.strName == name)
            found = &w;
    });
    if (!found)
        return Fail("no waypoint named '" + name + "' in " + dbPath);

    // Start the alternation so that the pages are gc.htm and hinttpl.htm.
    MemorySettingsStore settings;
    settings.SetText(section::kSettings, page_setting::kLastPage, "\\HTML\\gc2.htm");
    PositionFormatter positions(settings);
    SystemClock clock;
    GeocachePages pages(settings, positions, clock);
    std::string page = pages.Render(*found, {TemplatesFolder(), outDir});
    if (page.empty())
        return Fail("cannot render the pages into " + outDir);

    std::string out;
    JsonWriter json(out);
    json.BeginObject()
        .Key("page")
        .String(page)
        .Key("hint")
        .String(outDir + "/hinttpl.htm")
        .Key("template")
        .String(found->geocache.strPlacedBy.empty() ? "wptpl.htm" : "cachetpl.htm")
        .EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar registrar({"geocache-page", "DB NAME OUTDIR",
                                      "renders the page of the waypoint NAME, with its hint page "
                                      "and images, into OUTDIR",
                                      Run});

} // namespace
} // namespace hw::tool
