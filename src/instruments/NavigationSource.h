#pragma once

#include "geo/GeoPoint.h"

namespace hw {

class CourseFollower;
class Waypoint;

// What the instruments read of the walker's way: the current position and
// course, and the goto leg while one is active. The map's navigation gives
// it; the instruments, a floor below the map window that owns them, know it
// only by this face.
class NavigationSource {
public:
    virtual ~NavigationSource() = default;
    virtual const GeoPoint& CurrentPosition() const = 0;
    virtual double CurrentCourse() const = 0;
    virtual int IsGotoActive() const = 0;
    virtual const Waypoint& GotoTarget() const = 0;
    // 0 when no goto is active.
    virtual double DistanceToTargetKm() const = 0;
    // Radians, positive right of the leg.
    virtual double CrossTrackError() const = 0;
    // From here toward the target, degrees; 0 when no goto is active.
    virtual double BearingToTarget() const = 0;
    // The course followed now; null when none.
    virtual const CourseFollower* FollowedCourse() const { return nullptr; }
};

} // namespace hw
