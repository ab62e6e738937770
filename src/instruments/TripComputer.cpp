#include "instruments/TripComputer.h"

#include "geo/GeoPoint.h"
#include "geo/SphericalGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hw {
namespace {

constexpr double kFilterKm = 0.005;   // smaller steps are jitter
constexpr double kJumpKm = 1.0;       // larger steps are jumps, not walked
constexpr double kMaxSampleGapS = 10; // longer gaps skip an ETE sample

} // namespace

TripComputer::TripComputer(const Clock& clock) : clock_(clock)
{
    Reset();
}

void TripComputer::Reset()
{
    odometer_ = 0;
    previousFixValid_ = 0;
    updateCount_ = 0;
    previousDistance_ = 0;
    closing_.Clear();
    averageSpeed_.Clear();
    maxSpeed_ = 0;
    maxAltitude_ = minAltitude_ = 0;
    grade_ = maxGrade_ = minGrade_ = 0;
    averageGrade_.Clear();
    averageAscent_.Clear();
    averageDescent_.Clear();
    // The open grade step's climb belongs to the old trip as well.
    gradeSampler_.Reset();
    totalAscent_ = totalDescent_ = 0;
    firstAltitudePending_ = 1;
    tripStart_ = clock_.NowSeconds();
}

void TripComputer::NewTarget()
{
    previousDistance_ = 0;
    closing_.Clear();
    ete_ = 0;
    eta_ = 0;
    estimated_ = false;
}

void TripComputer::Update(double timeOfDay, const Waypoint& target, double latitude,
                          double longitude, int fixValid, int navigating, double speedKnots,
                          double altitudeMetres)
{
    // A position that is not a number cannot be a fix; other unknown values
    // count as none, so that no mean or total ever becomes NaN.
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        fixValid = 0;
    if (!std::isfinite(speedKnots))
        speedKnots = 0;
    if (!std::isfinite(altitudeMetres))
        altitudeMetres = 0;
    if (!std::isfinite(timeOfDay))
        timeOfDay = 0;

    if (fixValid == 1)
        UpdateGrade(latitude, longitude, altitudeMetres);
    bool moved = UpdateOdometer(latitude, longitude, fixValid);
    // Samples toward another target say nothing about this one.
    if (navigating == 1 && (target.nLatitude != targetLat_ || target.nLongitude != targetLon_)) {
        NewTarget();
        targetLat_ = target.nLatitude;
        targetLon_ = target.nLongitude;
    }
    if (moved && navigating == 1)
        UpdateEte(timeOfDay, target, latitude, longitude);
    if (fixValid != 1)
        return;
    averageSpeed_.Add(speedKnots);
    UpdateAltitude(altitudeMetres);
    maxSpeed_ = std::max(maxSpeed_, speedKnots);
}

void TripComputer::UpdateGrade(double latitude, double longitude, double altitude)
{
    GradeStep step;
    if (!gradeSampler_.Add(latitude, longitude, altitude, step))
        return;
    double grade = step.GradePercent();
    grade_ = grade;
    maxGrade_ = std::max(maxGrade_, grade);
    minGrade_ = std::min(minGrade_, grade);
    averageGrade_.Add(grade);
    if (grade > 0) {
        averageAscent_.Add(grade);
        totalAscent_ += step.climbMetres;
    } else if (grade < 0) {
        averageDescent_.Add(grade);
        totalDescent_ += step.climbMetres;
    }
}

bool TripComputer::UpdateOdometer(double latitude, double longitude, int fixValid)
{
    bool moved = false;
    if (fixValid == 1) {
        double d = DistanceKm(refLat_, refLon_, latitude, longitude);
        lastStep_ = d;
        if (d > kFilterKm || positionFilter_ == 0) {
            if (d > kJumpKm) {
                refLat_ = latitude;
                refLon_ = longitude;
            } else if (previousFixValid_ != 0 && updateCount_ != 0) {
                odometer_ += d;
                refLat_ = latitude;
                refLon_ = longitude;
                moved = true;
            }
        }
    } else {
        updateCount_ = 0;
    }
    previousFixValid_ = fixValid;
    if (updateCount_ == 0 && fixValid == 1) {
        refLat_ = latitude;
        refLon_ = longitude;
    }
    ++updateCount_;
    return moved;
}

void TripComputer::UpdateEte(double timeOfDay, const Waypoint& target, double latitude,
                             double longitude)
{
    GeoPoint here = GeoPoint::FromDegrees(latitude, longitude);
    double distance = DistanceKmMicro(here, {target.nLatitude, target.nLongitude, 0});
    double dt = std::fabs(timeOfDay - previousTime_);
    previousTime_ = timeOfDay;
    if (dt > kMaxSampleGapS)
        return;
    double closing = previousDistance_ == 0 ? 0 : previousDistance_ - distance;
    previousDistance_ = distance;
    if (closing < 0) {
        ete_ = -1;
        return;
    }
    closing_.Add(closing);
    double mean = closing_.Mean();
    if (dt != 0) {
        double rate = mean / dt * 3600;
        if (rate != 0) {
            ete_ = distance / rate * 3600;
            estimated_ = true;
        }
    }
    if (!estimated_)
        return;
    // Kept within the 32-bit time: a crawl toward the target gives an ETE of
    // centuries, which must not overflow.
    double eta = static_cast<double>(clock_.NowSeconds()) + std::trunc(ete_);
    eta_ = static_cast<int32_t>(std::clamp(eta, 0.0, double{std::numeric_limits<int32_t>::max()}));
}

void TripComputer::UpdateAltitude(double altitude)
{
    if (firstAltitudePending_ != 0 && altitude != 0) {
        maxAltitude_ = minAltitude_ = altitude;
        firstAltitudePending_ = 0;
    }
    if (altitude > maxAltitude_)
        maxAltitude_ = altitude;
    else if (altitude < minAltitude_ && altitude != 0)
        minAltitude_ = altitude;
}

} // namespace hw
