#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "waypoints/WaypointFileReader.h"

#include <charconv>
#include <cstdio>

namespace hw::tool {
namespace {

// A float as its shortest decimal text, so that 123.45f lists as 123.45.
double ShortestFloat(float value)
{
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    double d = value;
    if (error == std::errc())
        std::from_chars(text, end, d);
    return d;
}

void WriteWaypoint(JsonWriter& j, const Waypoint& w)
{
    const GeocacheInfo& g = w.geocache;
    j.BeginObject();
    j.Key("nSerial").Int(w.nSerial);
    j.Key("nLatitude").Int(w.nLatitude);
    j.Key("nLongitude").Int(w.nLongitude);
    j.Key("fAltitude").Real(ShortestFloat(w.fAltitude));
    j.Key("strName").String(w.strName);
    j.Key("icon").Int(w.icon);
    j.Key("bActiveWaypoint").Int(w.bActiveWaypoint);
    j.Key("dActiveWPDistance").Real(w.dActiveWPDistance);
    j.Key("strComment").String(w.strComment);
    j.Key("strSoundFile").String(w.strSoundFile);
    j.Key("nType").Int(w.nType);
    j.Key("nGeocacheState").Int(w.nGeocacheState);
    j.Key("timeGeochacheFound").Int(w.timeGeochacheFound);
    j.Key("bUseGeocacheStateForIconID").Int(w.bUseGeocacheStateForIconID);
    j.Key("strURL").String(w.strURL);
    j.Key("timeCreated").Int(w.timeCreated);
    j.Key("nActiveWaypointMessageType").Int(w.nActiveWaypointMessageType);
    j.Key("strLongDescription").String(g.strLongDescription);
    j.Key("bLongDescriptionHtml").Int(g.bLongDescriptionHtml);
    j.Key("strShortDescription").String(g.strShortDescription);
    j.Key("bShortDescriptionHtml").Int(g.bShortDescriptionHtml);
    j.Key("strCacheName").String(g.strCacheName);
    j.Key("strPlacedBy").String(g.strPlacedBy);
    j.Key("strCacheType").String(g.strCacheType);
    j.Key("nDifficulty").Int(g.nDifficulty);
    j.Key("nTerrain").Int(g.nTerrain);
    j.Key("strContainer").String(g.strContainer);
    j.Key("strCountry").String(g.strCountry);
    j.Key("strState").String(g.strState);
    j.Key("strEncodedHints").String(g.strEncodedHints);
    j.Key("bAvailable").Int(g.bAvailable);
    j.Key("bArchived").Int(g.bArchived);
    j.Key("logs").BeginArray();
    for (const GeocacheLog& log : g.logs) {
        j.BeginObject();
        j.Key("strText").String(log.strText);
        j.Key("nLogType").Int(log.nLogType);
        j.Key("bTextEncoded").Int(log.bTextEncoded);
        j.Key("timeDate").Int(log.timeDate);
        j.Key("strFinder").String(log.strFinder);
        j.EndObject();
    }
    j.EndArray();
    j.Key("bFieldNotePending").Int(g.bFieldNotePending);
    j.Key("strFieldNotes").String(w.strFieldNotes);
    j.Key("nVisitLogType").Int(w.nVisitLogType);
    j.EndObject();
}

int Run(const Args& args)
{
    if (args.size() != 1)
        return Fail("wpt-list: usage: wpt-list DB");
    WaypointDatabase db;
    // The texts are decoded one record at a time: a large database lists in
    // little memory.
    if (LoadWaypointDatabase(db, args[0], nullptr, false, WaypointTexts::Deferred) != 1)
        return Fail("wpt-list: cannot read the waypoint database " + args[0]);
    std::string out;
    db.ForEach([&out](const Waypoint& w) {
        out.clear();
        JsonWriter j(out);
        WriteWaypoint(j, w.WithTexts());
        std::printf("%s\n", out.c_str());
    });
    return 0;
}

const ToolCommandRegistrar kRegistrar({"wpt-list", "DB",
                                       "lists every waypoint of a database, one JSON object a "
                                       "line, in database order",
                                       &Run});

} // namespace
} // namespace hw::tool
