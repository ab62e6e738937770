#include "instruments/WaypointMessage.h"

#include "base/FormatString.h"
#include "geo/SphericalGeometry.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointSymbol.h"

namespace hw {
namespace {
constexpr double kMilesPerKm = 0.621371192237;
} // namespace

int WaypointMessage::Symbol(int64_t now) const
{
    return WaypointSymbol::Choose(waypoint_, now);
}

void WaypointMessage::Set(const Waypoint& waypoint, std::string title, int messageType)
{
    waypoint_ = waypoint;
    title_ = std::move(title);
    type_ = messageType;
}

WaypointMessage::Gauge WaypointMessage::GaugeKind() const
{
    switch (type_ % 3) {
    case 1: return Gauge::AnalogueSpeed;
    case 2: return Gauge::DigitalSpeed;
    default: return Gauge::Compass;
    }
}

WaypointMessage::Compass WaypointMessage::CompassValues(const GeoPoint& here, double course,
                                                        const UnitFormatter& units) const
{
    const GeoPoint there{waypoint_.nLatitude, waypoint_.nLongitude, 0};
    const double miles = DistanceKmMicro(there, here) * kMilesPerKm;
    Compass c;
    c.distance = units.AutoDistanceFromMiles(miles);
    c.unit = units.AutoDistanceLabel(miles);
    c.bearing = static_cast<int>(BearingToward(there, here));
    c.heading = static_cast<int>(course);
    return c;
}

std::string WaypointMessage::Compass::DistanceText() const
{
    return FormatString("%.01f %s", distance, unit.c_str());
}

} // namespace hw
