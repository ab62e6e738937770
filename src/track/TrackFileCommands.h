#pragma once

#include "base/FileBinding.h"
#include "track/TrackLog.h"

#include <functional>
#include <string>

namespace hw {

inline constexpr const char* kTrackOpenFilter =
    "Waypoint Files (*.trk)|*.trk|All Files (*.*)|*.*||";
inline constexpr const char* kTrackNewFilter = "Track Files (*.trk)|*.trk|All Files (*.*)|*.*||";
inline constexpr const char* kTrackFileExtension = "trk";

// The track file as the user works with it: the current log is saved to
// its file before another one is opened or started.
class TrackFileCommands {
public:
    // Asked before an existing file is replaced; true to go on.
    using ConfirmReplace = std::function<bool(const std::string& path)>;

    TrackFileCommands(TrackLog& log, FileBinding& binding) : log_(log), binding_(binding) {}

    // Saves the log to the current file; 1 when saved.
    int SaveCurrent();
    // "打开...": saves the log, binds the chosen file and loads it. A file
    // that cannot be read leaves the log and the binding as they were
    // (false), so that the next save cannot overwrite it with this track.
    bool Open(const std::string& chosen);
    // "新建...": saves the log, removes an existing file of that name once
    // confirmed, and binds the new path; the points in memory stay and go
    // to the new file at the next save. False when declined.
    bool New(const std::string& chosen, const ConfirmReplace& confirm);

private:
    TrackLog& log_;
    FileBinding& binding_;
};

} // namespace hw
