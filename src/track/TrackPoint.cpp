#include "track/TrackPoint.h"

#include "geo/GeoPoint.h"

#include <cmath>
#include <limits>

namespace hw {

int32_t TrackTime(int64_t seconds)
{
    if (seconds < std::numeric_limits<int32_t>::min() ||
        seconds > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(seconds);
}

TrackPoint TrackPoint::FromFix(double latDeg, double lonDeg, double altMetres,
                               const UtcDateTime& utc, int32_t segmentStart)
{
    TrackPoint p;
    p.lat = GeoPoint::FromDegrees(latDeg);
    p.lon = GeoPoint::FromDegrees(lonDeg);
    p.alt = std::isfinite(altMetres) ? static_cast<float>(altMetres) : 0.0f;
    p.segmentStart = segmentStart;
    p.time = TrackTime(SecondsFromUtc(utc));
    return p;
}

} // namespace hw
