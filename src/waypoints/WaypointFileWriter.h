#pragma once

#include "base/ByteSink.h"
#include "base/Translate.h"
#include "waypoints/WaypointDatabase.h"

#include <string>

namespace hw {

inline constexpr char kWaypointFileMagic[] = "KORVWP";
inline constexpr int kWaypointFileVersion = 7;

// How records that are as their file holds them are written: copied as
// their bytes (the same bytes that encoding them gives), or encoded anew.
enum class RecordCopy { Unchanged, None };

// Why a save failed.
enum class WaypointSaveProblem {
    None,
    CannotWrite, // the file could not be made or written
    // The database file was changed by another program since it was loaded
    // or saved: it is not replaced, or the bytes of records still kept in it
    // are not there any more.
    FileChanged,
};
inline constexpr const char* kFileChangedMessage =
    HW_TRANSLATE_NOOP("WaypointFileWriter", "路点数据库文件已被其他程序修改");

// Writes records in the current file layout to a sink; false when the sink
// failed or a record kept in its file is no longer there (nothing is then
// written for it, never empty texts). Safe beside the thread that changes
// the database.
bool WriteWaypointSnapshot(const WaypointDatabase::Snapshot& records, ByteSink& sink,
                           RecordCopy copy = RecordCopy::Unchanged,
                           WaypointSaveProblem* problem = nullptr);
// The whole database, likewise.
bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink);
// Saves records to path as SaveWaypointDatabase does; true on success.
bool SaveWaypointSnapshot(const WaypointDatabase::Snapshot& records, const std::string& path,
                          WaypointSaveProblem* problem = nullptr);

// Saves the database to path (temporary file, sync, rename). Returns 1 and
// clears the modified flag on success; 0 when anything failed, and the file
// that was there stays as it was. The file the database was loaded from is
// not replaced once another program has changed it.
int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path,
                         WaypointSaveProblem* problem = nullptr);

} // namespace hw
