#pragma once

#include <cstdint>

namespace hw {

// A position in millionths of a degree (north and east positive) with an
// altitude in metres.
struct GeoPoint {
    int32_t lat = 0;
    int32_t lon = 0;
    double alt = 0;

    // Degrees to microdegrees, truncating toward zero.
    static int32_t FromDegrees(double degrees) { return static_cast<int32_t>(degrees * 1000000.0); }
    static GeoPoint FromDegrees(double latDeg, double lonDeg, double altitude = 0)
    {
        return {FromDegrees(latDeg), FromDegrees(lonDeg), altitude};
    }
    double LatDegrees() const { return lat * 1e-06; }
    double LonDegrees() const { return lon * 1e-06; }

    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

} // namespace hw
