#pragma once

#include "base/DrawList.h"
#include "geo/GeoPoint.h"
#include "waypoints/Waypoint.h"

#include <cstdint>
#include <string>

namespace hw {

class UnitFormatter;

// What the waypoint message window shows: a waypoint with a title, and by the
// message type a compass toward it, an analogue or a digital speedometer; the
// warning types (3 to 5) frame it in red.
class WaypointMessage {
public:
    enum class Gauge { Compass, AnalogueSpeed, DigitalSpeed };
    static constexpr int kProximityTimeMs = 60000;
    static constexpr int kRepaintMs = 1000;
    static constexpr int kFrameWidth = 5;
    static constexpr double kSpeedometerFullScale = 150;

    void Set(const Waypoint& waypoint, std::string title, int messageType);
    const Waypoint& Shown() const { return waypoint_; }
    const std::string& Title() const { return title_; }
    int MessageType() const { return type_; }
    // The symbol drawn for the waypoint at `now` (seconds since 1970), as
    // the map draws it: a geocache's may follow its state and age.
    int Symbol(int64_t now) const;

    Gauge GaugeKind() const;
    bool Warning() const { return type_ >= 3 && type_ <= 5; }
    Colour FrameColour() const { return Warning() ? Rgb(255, 0, 0) : Rgb(0, 0, 0); }

    // The compass card's values from here and the current course.
    struct Compass {
        int heading = 0; // whole degrees
        int bearing = 0; // whole degrees, toward the waypoint
        double distance = 0;
        std::string unit;
        std::string DistanceText() const; // "%.01f %s"
    };
    Compass CompassValues(const GeoPoint& here, double course, const UnitFormatter& units) const;

private:
    Waypoint waypoint_;
    std::string title_;
    int type_ = 0;
};

} // namespace hw
