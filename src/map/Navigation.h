#pragma once

#include "base/NotificationSink.h"
#include "base/SettingsStore.h"
#include "geo/GeoPoint.h"
#include "instruments/NavigationSource.h"
#include "map/MapModel.h"
#include "track/TrackLog.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace hw {

// Navigation settings, section "地图".
namespace navigation_setting {
inline constexpr const char* kArrivalDistance = "路点到达距离"; // km as text
} // namespace navigation_setting

// The cross-track error of here against the leg from origin to target, in
// radians, positive right of the leg.
double CrossTrackError(const GeoPoint& origin, const GeoPoint& target, const GeoPoint& here);

// Goto navigation toward a waypoint: the leg kept in the database's target
// slot, distance, bearing and cross-track error from the map's current
// position, the arrival message, the course source, and the queue of
// proximity alarms waiting for the map window.
class Navigation : public NavigationSource {
public:
    static constexpr double kDefaultArrivalRadiusKm = 0.03048;
    static constexpr double kNoGpsCourse = -9999.0;
    static constexpr size_t kAlarmQueueSize = 10;

    enum ArrivalResult { kNoChange = 0, kArrived = 1, kGotoEnded = 2 };

    // Shows the arrival message, "您已到达: <name>", modally.
    using ArrivalMessage = std::function<void(const std::string& text)>;

    Navigation(WaypointDatabase& database, MapModel& model, NotificationSink* sink = nullptr);

    // Reads the arrival radius and the course source ("使用由GPS指示的航向"),
    // switching the track log's course threshold to match.
    void ApplySettings(const SettingsStore& settings, TrackLog& track);
    void StoreArrivalRadius(SettingsStore& settings) const;
    double ArrivalRadiusKm() const { return arrivalRadiusKm_; }
    void SetArrivalRadiusKm(double km) { arrivalRadiusKm_ = km; }
    void SetArrivalMessage(ArrivalMessage show) { showArrival_ = std::move(show); }
    // "您已到达: %s" with the name of what was reached: a waypoint, a course.
    static std::string ArrivalText(const std::string& name);

    void StartGoto(const Waypoint& waypoint);
    void CancelGoto();
    // A goto toward the followed course's next point: the course's own
    // arrival ends it, so the waypoint arrival stays quiet while it lasts.
    void StartCourseLeg(const Waypoint& point);
    // Whether the goto is still the one StartCourseLeg set (the user has
    // not chosen another since).
    bool CourseLegActive() const;
    void SetFollowedCourse(const CourseFollower* follower) { followed_ = follower; }
    const CourseFollower* FollowedCourse() const override { return followed_; }
    int IsGotoActive() const override { return database_.IsTargetActive(); }
    const Waypoint& GotoTarget() const override { return database_.Target(); }
    GeoPoint TargetPosition() const;
    const GeoPoint& CurrentPosition() const override { return model_.CurrentPosition(); }
    double CurrentCourse() const override { return model_.CurrentCourse(); }

    // 0 when no goto is active.
    double DistanceToTargetKm() const override;
    double CrossTrackError() const override;
    // From here toward the target, degrees; 0 when no goto is active.
    double BearingToTarget() const override;

    // Shows the message once on arriving within the radius (arrived is set
    // before it shows, so that a timer tick during the message does not show
    // it again) and ends the goto once more than five radii away again.
    ArrivalResult CheckArrival();

    // The course source: with the GPS course used, the fix's course is the
    // current course; otherwise the track's computed course is, and the
    // track recomputes it only after its course threshold.
    int UseGpsCourse() const { return useGpsCourse_; }
    void SetUseGpsCourse(int use, TrackLog& track);
    // The course passed with a fix: the GPS course, or kNoGpsCourse.
    double PassedCourse(double gpsCourse) const;
    // The current course after a fix: a passed course of 0 or more, else the
    // track's computed course. The map model keeps it.
    void UpdateCourse(double passedCourse, const TrackLog& track);

    // Asks the database for a waypoint whose alarm circle the position has
    // just entered; it joins the queue (dropped when 10 wait) and
    // WM_PROXIMITY_ALARM is posted. Returns whether one was queued.
    bool CheckProximity();
    // The oldest waiting alarm, taken off the queue.
    bool TakeAlarm(Waypoint& out);
    size_t PendingAlarms() const { return alarmCount_; }

private:
    WaypointDatabase& database_;
    MapModel& model_;
    NotificationSink* sink_;
    double arrivalRadiusKm_ = kDefaultArrivalRadiusKm;
    int useGpsCourse_ = 1;
    ArrivalMessage showArrival_;
    const CourseFollower* followed_ = nullptr;
    uint64_t courseLeg_ = 0; // the database's TargetsSet() of the course leg; 0 none
    std::array<Waypoint, kAlarmQueueSize> alarms_;
    size_t alarmHead_ = 0;
    size_t alarmCount_ = 0;
};

} // namespace hw
