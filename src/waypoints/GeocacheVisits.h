#pragma once

#include "waypoints/Waypoint.h"

#include <cstdint>
#include <string>

namespace hw {

class WaypointDatabase;

// String table ids of the visits commands.
inline constexpr int kIdsExportVisits = 4503;           // the command
inline constexpr int kIdsCannotCreateVisitsFile = 4504; // error icon
inline constexpr int kIdsMarkFoundAsLogged = 4505;      // yes/no, question icon
inline constexpr int kIdsQueueFoundVisit = 4506;        // yes/no, question icon
inline constexpr int kIdsVisitsFileFilter = 4507;
// The save dialogue's default name and extension.
inline constexpr const char* kVisitsFileName = "geocache_visits";
inline constexpr const char* kVisitsFileExtension = "txt";

// The field-notes file "geocache_visits.txt": one line per visit waiting to
// be uploaded, UTF-8 with a byte-order mark.

// "Name,2009-03-01T14:05Z,Found it,\"note\"\r\n": the name, the time found
// (local time), the log text of the state and the note, its double quotes
// doubled as in CSV.
std::string VisitLine(const Waypoint& waypoint);

struct VisitExport {
    bool written = false; // the file was written
    int visits = 0;       // lines in it
};

// Writes every pending visit in database order to path, then clears the
// pending marks (with markLogged the found ones become "found and logged"). The
// file is written whole before the database changes, so a failed write
// leaves every visit pending. The caller saves the database when visits > 0.
VisitExport ExportVisits(WaypointDatabase& database, const std::string& path, bool markLogged);

// The user found the cache: marks the visit pending with the time, unless it
// is already found and logged. Returns whether the record changed.
bool LogVisitFound(WaypointDatabase& database, int serial, int64_t now);
// The user did not find it (now: the moment). Returns whether the record
// changed.
bool LogVisitNotFound(WaypointDatabase& database, int serial, int64_t now);

} // namespace hw
