#pragma once

#include "geo/GeoPoint.h"

namespace hw {

inline constexpr double kEarthRadiusKm = 6378.137;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kTwoPi = 6.283185307179586;

// Great-circle distance in kilometres (haversine) between two positions in
// degrees.
double DistanceKm(double lat1, double lon1, double lat2, double lon2);
double DistanceKmMicro(const GeoPoint& a, const GeoPoint& b);
// Angular distance in radians.
double CentralAngle(const GeoPoint& a, const GeoPoint& b);
// 180 plus the initial course from p to q, in [0, 360]: called with
// (target, here) it is the bearing from here toward the target.
double BearingToward(const GeoPoint& p, const GeoPoint& q);
// The point at a distance (km) and bearing (degrees) from start; altitude 0.
GeoPoint ProjectPoint(const GeoPoint& start, double distanceKm, double bearingDegrees);

} // namespace hw
