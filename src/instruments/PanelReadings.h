#pragma once

#include "course/CourseFollower.h"

#include <optional>
#include <string>

namespace hw {

struct GpsFix;
class NavigationSource;

// The readings of the moment that the panels show besides the trip
// statistics: from the GPS fix and the navigation state. Taken once per
// repaint.
struct PanelReadings {
    double altitudeMetres = 0; // GPS altitude
    double speedKnots = 0;     // speed over ground
    double courseDegrees = 0;  // the current course
    bool navigating = false;   // a goto is active
    double distanceToTargetKm = 0;
    double bearingToTarget = 0; // degrees, from here toward the target
    double crossTrackError = 0; // radians, positive right of the leg
    std::string targetName;
    std::optional<FollowState> course; // while a course is followed

    static PanelReadings From(const GpsFix& fix, const NavigationSource& navigation);
};

} // namespace hw
