#pragma once

#include "gps/GpsFix.h"
#include "track/TrackLog.h"

#include <optional>

namespace hw {

// Records the walk from the GPS updates: each update with a fix offers its
// point to the track log, with the time unknown (0) until the receiver has
// given the date (a GPGGA alone has only the time of day); after an update
// without a fix (or a lost link) the next point starts a new segment.
class TrackRecorder {
public:
    explicit TrackRecorder(TrackLog& log) : log_(log) {}

    // The point of a fix: GPGGA position, altitude and time of day on the
    // GPRMC date; time 0 while no date is known.
    static TrackPoint PointFromFix(const GpsFix& fix, int32_t segmentStart);

    // One GPS update. Returns the fix's point, offered to the log, or nothing
    // when the update had no fix.
    std::optional<TrackPoint> OnGpsUpdate(const GpsFix& fix);
    // The link lost its data: the next point starts a segment.
    void MarkGap() { nextStartsSegment_ = true; }
    bool NextPointStartsSegment() const { return nextStartsSegment_; }

private:
    TrackLog& log_;
    bool nextStartsSegment_ = false;
};

} // namespace hw
