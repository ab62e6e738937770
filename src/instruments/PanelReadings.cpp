#include "instruments/PanelReadings.h"

#include "gps/GpsFix.h"
#include "instruments/NavigationSource.h"
#include "waypoints/Waypoint.h"

namespace hw {

PanelReadings PanelReadings::From(const GpsFix& fix, const NavigationSource& navigation)
{
    PanelReadings r;
    r.altitudeMetres = fix.altitude;
    r.speedKnots = fix.speed;
    r.courseDegrees = navigation.CurrentCourse();
    r.navigating = navigation.IsGotoActive() != 0;
    r.distanceToTargetKm = navigation.DistanceToTargetKm();
    r.bearingToTarget = navigation.BearingToTarget();
    r.crossTrackError = navigation.CrossTrackError();
    r.targetName = navigation.GotoTarget().strName;
    if (const CourseFollower* followed = navigation.FollowedCourse())
        r.course = followed->State();
    return r;
}

} // namespace hw
