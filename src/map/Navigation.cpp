#include "map/Navigation.h"

#include "base/DecimalSetting.h"
#include "base/Translate.h"
#include "base/WindowMessages.h"
#include "geo/SphericalGeometry.h"
#include "units/UnitFormatter.h"

#include <cmath>

namespace hw {

double CrossTrackError(const GeoPoint& origin, const GeoPoint& target, const GeoPoint& here)
{
    double courseToTarget = BearingToward(origin, target) * kRadiansPerDegree;
    double courseToHere = BearingToward(origin, here) * kRadiansPerDegree;
    double distance = CentralAngle(origin, here);
    double s = std::sin(distance) * std::sin(courseToHere - courseToTarget);
    return std::asin(std::fmax(-1.0, std::fmin(1.0, s)));
}

Navigation::Navigation(WaypointDatabase& database, MapModel& model, NotificationSink* sink)
    : database_(database), model_(model), sink_(sink)
{
}

void Navigation::ApplySettings(const SettingsStore& settings, TrackLog& track)
{
    arrivalRadiusKm_ = GetDecimalSetting(
        settings, section::kMap, navigation_setting::kArrivalDistance, kDefaultArrivalRadiusKm);
    SetUseGpsCourse(settings.GetInt(section::kMap, track_setting::kUseGpsCourse, 1), track);
}

void Navigation::StoreArrivalRadius(SettingsStore& settings) const
{
    SetDecimalSetting(settings, section::kMap, navigation_setting::kArrivalDistance,
                      arrivalRadiusKm_);
}

void Navigation::StartGoto(const Waypoint& waypoint)
{
    database_.SetTarget(waypoint, model_.CurrentPosition());
    database_.SetTargetActive(1);
}

void Navigation::StartCourseLeg(const Waypoint& point)
{
    StartGoto(point);
    courseLeg_ = database_.TargetsSet();
}

bool Navigation::CourseLegActive() const
{
    return courseLeg_ != 0 && IsGotoActive() && database_.TargetsSet() == courseLeg_;
}

void Navigation::CancelGoto()
{
    database_.SetTargetActive(0);
}

GeoPoint Navigation::TargetPosition() const
{
    const Waypoint& t = database_.Target();
    return {t.nLatitude, t.nLongitude, t.fAltitude};
}

double Navigation::DistanceToTargetKm() const
{
    if (!IsGotoActive())
        return 0;
    return DistanceKmMicro(TargetPosition(), model_.CurrentPosition());
}

double Navigation::CrossTrackError() const
{
    if (!IsGotoActive())
        return 0;
    return hw::CrossTrackError(database_.TargetStart(), TargetPosition(), model_.CurrentPosition());
}

double Navigation::BearingToTarget() const
{
    if (!IsGotoActive())
        return 0;
    return BearingToward(TargetPosition(), model_.CurrentPosition());
}

std::string Navigation::ArrivalText(const std::string& name)
{
    return FormatTranslated("Navigation", HW_TRANSLATE_NOOP("Navigation", "您已到达: %s"),
                            name.c_str());
}

Navigation::ArrivalResult Navigation::CheckArrival()
{
    if (!IsGotoActive() || CourseLegActive())
        return kNoChange;
    double d = DistanceToTargetKm();
    const Waypoint& target = database_.Target();
    if (d <= arrivalRadiusKm_ && target.bArrived == 0) {
        database_.SetTargetArrived(1);
        // The message may run the event loop, so the name is copied first.
        std::string text = ArrivalText(target.strName);
        if (showArrival_)
            showArrival_(text);
        return kArrived;
    }
    if (target.bArrived == 1 && d > 5 * arrivalRadiusKm_) {
        CancelGoto();
        return kGotoEnded;
    }
    return kNoChange;
}

void Navigation::SetUseGpsCourse(int use, TrackLog& track)
{
    useGpsCourse_ = use;
    track.SetCourseThresholdEnabled(use == 1 ? 0 : 1);
}

double Navigation::PassedCourse(double gpsCourse) const
{
    return useGpsCourse_ == 1 ? gpsCourse : kNoGpsCourse;
}

void Navigation::UpdateCourse(double passedCourse, const TrackLog& track)
{
    model_.SetCurrentCourse(passedCourse >= 0 ? passedCourse : track.ComputedCourse());
}

bool Navigation::CheckProximity()
{
    Waypoint entered;
    if (database_.CheckProximity(model_.CurrentPosition(), entered) != 1)
        return false;
    if (alarmCount_ == kAlarmQueueSize)
        return false; // the queue is full: this alarm is dropped
    alarms_[(alarmHead_ + alarmCount_) % kAlarmQueueSize] = std::move(entered);
    ++alarmCount_;
    if (sink_ != nullptr)
        sink_->Post(WM_PROXIMITY_ALARM);
    return true;
}

bool Navigation::TakeAlarm(Waypoint& out)
{
    if (alarmCount_ == 0)
        return false;
    out = std::move(alarms_[alarmHead_]);
    alarmHead_ = (alarmHead_ + 1) % kAlarmQueueSize;
    --alarmCount_;
    return true;
}

} // namespace hw
