#pragma once

#include "base/ByteSink.h"
#include "waypoints/WaypointDatabase.h"

#include <string>

namespace hw {

inline constexpr char kWaypointFileMagic[] = "KORVWP";
inline constexpr int kWaypointFileVersion = 7;

// How records that are as their file holds them are written: copied as
// their bytes (the same bytes that encoding them gives), or encoded anew.
enum class RecordCopy { Unchanged, None };

// Writes records in the current file layout to a sink; false when the sink
// failed. Safe beside the thread that changes the database.
bool WriteWaypointSnapshot(const WaypointDatabase::Snapshot& records, ByteSink& sink,
                           RecordCopy copy = RecordCopy::Unchanged);
// The whole database, likewise.
bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink);
// Saves records to path as SaveWaypointDatabase does; true on success.
bool SaveWaypointSnapshot(const WaypointDatabase::Snapshot& records, const std::string& path);

// Saves the database to path (temporary file, sync, rename). Returns 1 and
// clears the modified flag on success; 0 when anything failed, and the file
// that was there stays as it was.
int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path);

} // namespace hw
