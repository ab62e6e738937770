#include "geo/SphericalGeometry.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

double MicroToRadians(int32_t micro)
{
    return micro * 1e-06 * kRadiansPerDegree;
}

// The haversine term; rounding can lift it past 1 for nearly antipodal
// points, so it is clamped to keep sqrt and asin defined.
double Haversine(double phi1, double lambda1, double phi2, double lambda2)
{
    double sa = std::sin((phi2 - phi1) / 2);
    double sb = std::sin((lambda2 - lambda1) / 2);
    double h = sb * sb * std::cos(phi2) * std::cos(phi1) + sa * sa;
    return std::clamp(h, 0.0, 1.0);
}

double DistanceRadians(double phi1, double lambda1, double phi2, double lambda2)
{
    double h = Haversine(phi1, lambda1, phi2, lambda2);
    return 2 * std::atan2(std::sqrt(h), std::sqrt(1 - h)) * kEarthRadiusKm;
}

} // namespace

double DistanceKm(double lat1, double lon1, double lat2, double lon2)
{
    return DistanceRadians(lat1 * kRadiansPerDegree, lon1 * kRadiansPerDegree,
                           lat2 * kRadiansPerDegree, lon2 * kRadiansPerDegree);
}

double DistanceKmMicro(const GeoPoint& a, const GeoPoint& b)
{
    return DistanceRadians(MicroToRadians(a.lat), MicroToRadians(a.lon), MicroToRadians(b.lat),
                           MicroToRadians(b.lon));
}

double CentralAngle(const GeoPoint& a, const GeoPoint& b)
{
    double h = Haversine(MicroToRadians(a.lat), MicroToRadians(a.lon), MicroToRadians(b.lat),
                         MicroToRadians(b.lon));
    return 2 * std::asin(std::sqrt(h));
}

double BearingToward(const GeoPoint& p, const GeoPoint& q)
{
    double phiP = MicroToRadians(p.lat), lambdaP = MicroToRadians(p.lon);
    double phiQ = MicroToRadians(q.lat), lambdaQ = MicroToRadians(q.lon);
    double y = std::cos(phiQ) * std::sin(lambdaP - lambdaQ);
    double x = std::cos(phiP) * std::sin(phiQ) -
               std::sin(phiP) * std::cos(phiQ) * std::cos(lambdaP - lambdaQ);
    double t = std::atan2(y, x);
    return 180 - std::fmod(t, kTwoPi) * kDegreesPerRadian;
}

GeoPoint ProjectPoint(const GeoPoint& start, double distanceKm, double bearingDegrees)
{
    constexpr double kPi = 3.141592653589793;
    double phi1 = MicroToRadians(start.lat), lambda1 = MicroToRadians(start.lon);
    double theta = bearingDegrees * kPi / 180;
    double delta = distanceKm * 0.539956803456 * 0.0002908882086657216;
    double sinPhi =
        std::sin(phi1) * std::cos(delta) + std::cos(phi1) * std::sin(delta) * std::cos(theta);
    double phi = std::asin(std::clamp(sinPhi, -1.0, 1.0));
    double lambda = lambda1;
    if (std::cos(phi) != 0) {
        double s = std::clamp(std::sin(theta) * std::sin(delta) / std::cos(phi), -1.0, 1.0);
        lambda = std::fmod(lambda1 + std::asin(s) + kPi, kTwoPi) - kPi;
        if (lambda < -kPi) // fmod keeps the sign: fold west of the antimeridian back
            lambda += kTwoPi;
    }
    constexpr double kMicroPerRadian = 57295779.513082325;
    return {static_cast<int32_t>(phi * kMicroPerRadian),
            static_cast<int32_t>(lambda * kMicroPerRadian), 0};
}

} // namespace hw
