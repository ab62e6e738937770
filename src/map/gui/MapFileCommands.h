#pragma once

#include "base/CommandTarget.h"
#include "waypoints/WaypointDatabaseCommands.h"

#include <string>

namespace hw {

class MapWnd;
class TrackFileCommands;
class TrackSaveRecovery;

// The map window's file commands: the waypoint database's open and new and
// its saving with the recovery question, the waypoint export to GPX, and the
// track file's open, new and the three track exports.
class MapFileCommands : public CommandTarget {
public:
    explicit MapFileCommands(MapWnd& map) : map_(map) {}

    // Saves the database to its file beside the UI thread; when that fails,
    // the recovery question (at once when the file's folder cannot be
    // written, later when the writing fails). True when saved or on its way.
    bool SaveDatabase();
    // A background save of the database to path ended (on the UI thread):
    // a success clears the modified flag if the database is still in the
    // state saved; after a failure, unless a newer save is on its way, the
    // database is saved here, with the recovery question.
    void DatabaseSaveEnded(const std::string& path,
                           const WaypointDatabaseCommands::BackgroundSave& save);
    // Saves the database at once, with the recovery question; true when saved.
    bool SaveDatabaseNow();
    // Waits for the database saves on their way and takes in how they
    // ended, without asking: the database is then modified exactly when a
    // change is not on disk.
    void SettleDatabaseSaves();
    // Saves the track to its file, with the recovery question when that
    // fails; true when saved.
    bool SaveTrack();

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

    // The folder of a bound file with "Untitled" in it, where save choosers
    // start; the folder is made when missing.
    static std::string UntitledBeside(const std::string& path);

private:
    // The track commands, once a periodic save in flight has landed; a save
    // that fails asks the recovery question.
    TrackFileCommands TrackCommands(TrackSaveRecovery* recovery);
    // Open or new: a database from another file; the map redraws.
    void ReplaceDatabase(bool (WaypointDatabaseCommands::*command)());
    void ExportWaypoints();
    void OpenTrack();
    void NewTrack();
    void ExportTrack(int id);
    MapWnd& map_;
    bool settling_ = false;
};

} // namespace hw
