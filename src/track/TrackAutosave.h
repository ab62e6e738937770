#pragma once

#include "base/BackgroundFileWriter.h"
#include "track/TrackLog.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace hw {

// Keeps the track file close to the walk, so that a program killed or a
// machine without power loses at most the last interval: at every tick,
// when points were logged since the last save that reached the disk, the
// track's bytes go to the file on the writer's thread (atomically: a kill
// mid-write leaves the previous file), into a folder made when missing. A
// save that failed is tried again at the next tick. Off while the track is
// held in memory only.
class TrackAutosave {
public:
    static constexpr int kIntervalMs = 60000;

    TrackAutosave(const TrackLog& log, BackgroundFileWriter& writer) : log_(log), writer_(writer) {}

    // The tick: true when a save was started.
    bool Tick(const std::string& path);
    // True once when saves began to fail (since the start or the last save
    // that landed), so that the user is told once, not at every tick.
    bool TakeNewFailure();
    // The log as it is now reached its file by other means (a save at exit,
    // a track command), or is to be taken as saved.
    void MarkSaved() { asked_ = outcome_->saved = log_.Changes(); }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }

private:
    // What the writer's thread tells of the saves; shared with the writes
    // still on their way.
    struct Outcome {
        std::atomic<uint64_t> saved = 0; // the log's changes on disk
        std::atomic<bool> failing = false;
    };
    const TrackLog& log_;
    BackgroundFileWriter& writer_;
    std::shared_ptr<Outcome> outcome_ = std::make_shared<Outcome>();
    uint64_t asked_ = 0; // the log's changes last given to the writer
    bool told_ = false;
    bool enabled_ = true;
};

} // namespace hw
