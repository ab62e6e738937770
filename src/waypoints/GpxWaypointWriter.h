#pragma once

#include "waypoints/WaypointDatabase.h"

#include <cstdint>
#include <string>

namespace hw {

// Who made the file, as the exported documents say.
inline constexpr const char* kGpxCreatorAddress = "https://hikewise.korv.example.org/";
inline constexpr const char* kGpxAuthor = "KORV Hikewise";
inline constexpr const char* kGpxEmail = "hikewise@korv.example.org";
// The program's own waypoint extension.
inline constexpr const char* kQuellisNamespace = "https://hikewise.korv.example.org/waypoint/1/0";

// The whole database as a GPX 1.0 waypoint document, in database order,
// each waypoint with the program's extension element. Times are broken down
// in the local time zone; now is the document's time.
std::string WriteGpx(const WaypointDatabase& db, int64_t now);

// Writes the document to path (temporary file, sync, rename); 1 when the
// file was written whole, 0 otherwise (the old file stays).
int ExportGpxFile(const WaypointDatabase& db, const std::string& path, int64_t now);

} // namespace hw
