#include "waypoints/GeocacheVisits.h"

#include "base/AtomicFile.h"
#include "base/LocalTime.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointSymbol.h"

#include <vector>

namespace hw {
namespace {

constexpr int kStateNotFound = 0;
constexpr int kStateFound = 1;
constexpr int kStateAttempted = 2;
constexpr int kStateFoundAndLogged = 5;
constexpr int kStateNeedsMaintenance = 17;

bool IsFound(int state)
{
    return state != kStateNotFound && state != kStateAttempted && state != kStateNeedsMaintenance;
}

const char* LogText(int state)
{
    switch (state) {
    case kStateNotFound:
    case kStateAttempted: return "未找到";
    case kStateNeedsMaintenance: return "需要维护";
    default: return "Found it";
    }
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string VisitLine(const Waypoint& waypoint)
{
    std::tm t = LocalCalendar(waypoint.timeGeochacheFound);
    return waypoint.strName + "," +
           FormatString("%04d-%02d-%02dT%02d:%02dZ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                        t.tm_hour, t.tm_min) +
           "," + LogText(waypoint.nGeocacheState) + "," + Quoted(waypoint.strFieldNotes) + "\r\n";
}

VisitExport ExportVisits(WaypointDatabase& database, const std::string& path, bool markLogged)
{
    std::string file = "\xEF\xBB\xBF";
    std::vector<int> serials;
    database.ForEach([&](const Waypoint& w) {
        if (w.geocache.bFieldNotePending != 1)
            return;
        file += VisitLine(w);
        serials.push_back(w.nSerial);
    });
    if (!WriteFileAtomically(path, file))
        return {};
    for (int serial : serials) {
        Waypoint w;
        database.FindBySerial(serial, w);
        w.geocache.bFieldNotePending = 0;
        // Only a visit logged as found becomes "found and logged": the question
        // asks about the found caches, and a cache not found stays not found.
        if (markLogged && IsFound(w.nGeocacheState)) {
            w.nGeocacheState = kStateFoundAndLogged;
            // The symbol of "found and logged" depends on no clock.
            WaypointSymbol::KeepStateSymbol(w, 0);
        }
        database.ReplaceBySerial(serial, w);
    }
    return {true, static_cast<int>(serials.size())};
}

bool LogVisitFound(WaypointDatabase& database, int serial, int64_t now)
{
    Waypoint w;
    if (!database.FindBySerial(serial, w) || w.nGeocacheState == kStateFoundAndLogged)
        return false;
    w.geocache.bFieldNotePending = 1;
    w.nGeocacheState = kStateFound;
    w.timeGeochacheFound = static_cast<int32_t>(now);
    WaypointSymbol::KeepStateSymbol(w, now);
    return database.ReplaceBySerial(serial, w) > 0;
}

bool LogVisitNotFound(WaypointDatabase& database, int serial, int64_t now)
{
    Waypoint w;
    if (!database.FindBySerial(serial, w))
        return false;
    w.nGeocacheState = kStateNotFound;
    WaypointSymbol::KeepStateSymbol(w, now);
    return database.ReplaceBySerial(serial, w) > 0;
}

} // namespace hw
