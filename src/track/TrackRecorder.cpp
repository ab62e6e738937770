#include "track/TrackRecorder.h"

#include <cmath>

namespace hw {

TrackPoint TrackRecorder::PointFromFix(const GpsFix& fix, int32_t segmentStart)
{
    UtcDateTime utc{fix.year, fix.month, fix.day, fix.ggaHour, fix.ggaMinute, fix.ggaSecond};
    TrackPoint point =
        TrackPoint::FromFix(fix.ggaLatitude, fix.ggaLongitude, fix.altitude, utc, segmentStart);
    // A time of day without a date (a GPGGA alone) is no time: unknown.
    if (!fix.dateKnown)
        point.time = 0;
    return point;
}

std::optional<TrackPoint> TrackRecorder::OnGpsUpdate(const GpsFix& fix)
{
    // A position that cannot be is no fix either.
    bool possible = std::fabs(fix.ggaLatitude) <= 90 && std::fabs(fix.ggaLongitude) <= 180;
    if (!fix.HasFix() || !possible) {
        nextStartsSegment_ = true;
        return std::nullopt;
    }
    TrackPoint point = PointFromFix(fix, nextStartsSegment_ ? 1 : 0);
    log_.AddPoint(point);
    nextStartsSegment_ = false;
    return point;
}

} // namespace hw
