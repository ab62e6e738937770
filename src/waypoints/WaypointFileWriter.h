#pragma once

#include "base/ByteSink.h"
#include "waypoints/WaypointDatabase.h"

#include <string>

namespace hw {

inline constexpr char kWaypointFileMagic[] = "KORVWP";
inline constexpr int kWaypointFileVersion = 7;

// Writes the whole database in the current file layout to a sink; false when
// the sink failed.
bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink);

// Saves the database to path (temporary file, sync, rename). Returns 1 and
// clears the modified flag on success; 0 when anything failed, and the file
// that was there stays as it was.
int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path);

} // namespace hw
