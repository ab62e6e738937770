#pragma once

#include "base/BackgroundFileWriter.h"
#include "track/TrackLog.h"

#include <cstdint>
#include <string>

namespace hw {

// Keeps the track file close to the walk, so that a program killed or a
// machine without power loses at most the last interval: at every tick,
// when points were logged since the last save, the track's bytes go to the
// file on the writer's thread (atomically: a kill mid-write leaves the
// previous file). Off while the track is held in memory only.
class TrackAutosave {
public:
    static constexpr int kIntervalMs = 60000;

    TrackAutosave(const TrackLog& log, BackgroundFileWriter& writer) : log_(log), writer_(writer) {}

    // The tick: true when a save was started.
    bool Tick(const std::string& path);
    // The log as it is now reached its file by other means (a save at exit,
    // a track command), or is to be taken as saved.
    void MarkSaved() { saved_ = log_.Changes(); }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }

private:
    const TrackLog& log_;
    BackgroundFileWriter& writer_;
    uint64_t saved_ = 0;
    bool enabled_ = true;
};

} // namespace hw
