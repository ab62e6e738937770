#include "waypoints/PositionAverager.h"

#include "geo/SphericalGeometry.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"

#include <cmath>

namespace hw {

void AverageAccumulator::Add(double x)
{
    sum += x;
    count += 1;
    mean = (1.0 / count) * sum;
    sumSquares += (x - mean) * (x - mean);
    deviation = std::sqrt((1.0 / count) * sumSquares);
}

void PositionAverager::Start()
{
    latitude_ = {};
    longitude_ = {};
    altitude_ = {};
    deviationKm_ = 0;
    active_ = true;
}

bool PositionAverager::AddFix(double latitude, double longitude, double altitude, double hdop)
{
    if (!active_)
        return false;
    bool limited = settings_.GetInt(section::kMap, averaging_setting::kThresholdEnabled, 1) != 0;
    double threshold = settings_.GetInt(section::kMap, averaging_setting::kThreshold, 50) / 10.0;
    if (limited && hdop > threshold && hdop != 0)
        return false;
    latitude_.Add(latitude);
    longitude_.Add(longitude);
    altitude_.Add(altitude);
    deviationKm_ = DistanceKmMicro(AveragedPosition(), OffsetPosition());
    return true;
}

GeoPoint PositionAverager::AveragedPosition() const
{
    return GeoPoint::FromDegrees(latitude_.mean, longitude_.mean,
                                 static_cast<float>(altitude_.mean));
}

GeoPoint PositionAverager::OffsetPosition() const
{
    return GeoPoint::FromDegrees(latitude_.mean + latitude_.deviation,
                                 longitude_.mean + longitude_.deviation,
                                 static_cast<float>(altitude_.mean));
}

Waypoint PositionAverager::Finish(const WaypointDatabase& database)
{
    active_ = false;
    GeoPoint at = AveragedPosition();
    Waypoint waypoint;
    waypoint.nLatitude = at.lat;
    waypoint.nLongitude = at.lon;
    waypoint.fAltitude = static_cast<float>(altitude_.mean);
    waypoint.strName = database.NewAutomaticName();
    return waypoint;
}

std::string PositionAverager::PositionStatusText(const PositionFormatter& positions,
                                                 const UnitFormatter& units) const
{
    return FormatString("Avg Lat:\t%s\nAvg Lon:\t%s\nAvg Alt:\t%s",
                        positions.LatitudeText(latitude_.mean).c_str(),
                        positions.LongitudeText(longitude_.mean).c_str(),
                        units.AltitudeText(altitude_.mean).c_str());
}

std::string PositionAverager::DeviationStatusText(const UnitFormatter& units) const
{
    return FormatString("Deviation:\t%.02f %s\nSamples:\t%d",
                        units.SmallDistanceFromMiles(deviationKm_ * 0.621371192237334),
                        units.SmallDistanceUnitLabel().c_str(), Samples());
}

} // namespace hw
