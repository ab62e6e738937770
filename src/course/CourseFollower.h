#pragma once

#include "course/CourseProfile.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace hw {

class TerrainFile;
struct GpsFix;

// A position to follow: degrees, and the time in seconds since 1970 (NaN
// when the receiver has not given the date yet).
struct FollowFix {
    double lat = 0, lon = 0;
    double timeS = NAN;
};

// The fix of a GPS update as the walk is followed: the GPGGA position on the
// GPRMC date, as the track is recorded; nothing when the update has no fix
// or an impossible position.
std::optional<FollowFix> FollowFixFrom(const GpsFix& fix);

// How a course is followed: the settings "Off Course Distance" and "Course
// Pace" (section "路线") and the waypoint arrival distance, in metres.
struct FollowSettings {
    static constexpr double kMinOffCourseM = 10;
    static constexpr double kMaxOffCourseM = 500;
    double offCourseM = 50;
    double arrivalM = 30.48;
    double paceFactor = 1.0;
};

// What the follower tells the walker, once each: off course (with the
// distance in metres), back on course, arrived at the end.
struct CourseEvent {
    enum class Kind { OffCourse, BackOnCourse, Arrived };
    Kind kind;
    double distanceM = 0;
};

// Where the walker stands on the followed course: what the panel fields,
// the map and the profile read. Distances count from the end walked first
// (from the course's end when it is followed reversed).
struct FollowState {
    bool joined = false;
    bool off = false;
    bool arrived = false;
    double alongM = 0;
    double toGoM = 0;
    double xteM = 0;
    double ascentToGoM = 0; // NaN without heights
    double descentToGoM = 0;
    double remainingS = 0; // walking time still to go
    double etaS = NAN;     // seconds since 1970 at the end; NaN with no time known
    size_t nextPoint = 0;  // the point ahead, in the followed order (Profile())
};

// Follows a walker along a course, fix by fix. Joins at the nearest point
// (of several parts within the off-course distance, the earliest along the
// course), then looks only near the present progress, so that where the
// course passes close by itself (an out-and-back, a figure-8) the progress
// stays on the leg being walked.
class CourseFollower {
public:
    static constexpr int kFixesToDecide = 3;
    static constexpr double kRejoinM = 500;
    static constexpr double kPaceAfterS = 600;
    static constexpr double kFinalShare = 0.9;

    CourseFollower(const Course& course, bool reversed, TerrainFile* terrain,
                   const FollowSettings& settings);

    // One fix: degrees, and the fix's time in seconds since 1970 (0 or NaN
    // when unknown). Returns what is to be told; nothing after the arrival.
    std::vector<CourseEvent> Update(double lat, double lon, double timeS);

    const FollowState& State() const { return state_; }
    // The course in the order followed (reversed when followed reversed).
    const CourseProfile& Profile() const { return profile_; }
    bool Reversed() const { return reversed_; }
    const FollowSettings& Settings() const { return settings_; }

private:
    struct Match {
        size_t segment = 0;
        double fraction = 0;
        double distanceM = 0;
        double alongM = 0;
    };
    Match Nearest(double lat, double lon, size_t segment) const;
    Match Join(double lat, double lon) const;
    Match Track(double lat, double lon, double movedM) const;
    double Against(size_t segment) const;
    void UpdateHeading(double lat, double lon, double movedM);
    double Interpolate(const Match& m, double (CourseProfile::*value)(size_t) const) const;
    void Place(const Match& m, double timeS);

    CourseProfile profile_;
    bool reversed_;
    FollowSettings settings_;
    FollowState state_;
    Match match_;
    double lastLat_ = 0, lastLon_ = 0;
    int beyond_ = 0, within_ = 0;
    double joinTimeS_ = NAN, joinToblerS_ = 0;
    // The latest fixes, and the walker's heading over them (a unit vector
    // east and north), once known.
    struct TrailFix {
        double lat, lon, walkedM;
    };
    std::deque<TrailFix> trail_;
    double walkedM_ = 0;
    std::optional<std::pair<double, double>> heading_;
};

} // namespace hw
