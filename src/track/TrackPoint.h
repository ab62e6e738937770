#pragma once

#include "base/UtcTime.h"

#include <cstdint>

namespace hw {

// One logged position; the same 20 bytes in memory and in the track file.
struct TrackPoint {
    int32_t lat = 0;          // millionths of a degree, north positive
    int32_t lon = 0;          // millionths of a degree, east positive
    float alt = 0;            // metres
    int32_t segmentStart = 0; // 1 when this point begins a new segment
    int32_t time = 0;         // seconds since 1970 UTC, 0 when unknown

    // A point from a fix: degrees to microdegrees truncated toward zero, the
    // altitude narrowed to single precision (a non-finite one becomes 0), the
    // time from the fix's UTC date and time.
    static TrackPoint FromFix(double latDeg, double lonDeg, double altMetres,
                              const UtcDateTime& utc, int32_t segmentStart = 0);

    friend bool operator==(const TrackPoint&, const TrackPoint&) = default;
};
static_assert(sizeof(TrackPoint) == 20);

// A count of seconds as the 32-bit time a point carries; out of range is 0
// (unknown).
int32_t TrackTime(int64_t seconds);

} // namespace hw
