#include "map/CourseFollowing.h"

#include "base/DecimalSetting.h"
#include "base/FormatString.h"
#include "base/Translate.h"
#include "gps/GpsFix.h"
#include "map/Navigation.h"
#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>

namespace hw {

FollowSettings ReadFollowSettings(const SettingsStore& settings, double arrivalKm)
{
    FollowSettings s;
    const double off = GetDecimalSetting(settings, course_setting::kSection,
                                         course_setting::kOffCourseDistance, s.offCourseM);
    s.offCourseM = std::clamp(off, FollowSettings::kMinOffCourseM, FollowSettings::kMaxOffCourseM);
    const double pace = GetDecimalSetting(settings, course_setting::kSection,
                                          course_setting::kCoursePace, s.paceFactor);
    if (pace > 0)
        s.paceFactor = pace;
    s.arrivalM = arrivalKm * 1000;
    return s;
}

CourseFollowing::CourseFollowing(CourseStore store, TerrainFile* terrain, Navigation& navigation,
                                 const SettingsStore& settings)
    : list_(std::move(store), terrain, ReadFollowSettings(settings, 0).paceFactor),
      terrain_(terrain), navigation_(navigation), settings_(settings)
{
}

CourseFollowing::~CourseFollowing()
{
    navigation_.SetFollowedCourse(nullptr);
}

std::vector<std::string> CourseFollowing::Load()
{
    list_.SetPaceFactor(ReadFollowSettings(settings_, 0).paceFactor);
    std::vector<std::string> problems = list_.Load();
    followedIndex_ = -1;
    Touch();
    return problems;
}

int CourseFollowing::Add(const Course& course, bool keep, std::string& error)
{
    size_t index = list_.Entries().size();
    if (!keep) {
        list_.AddUnkept(course);
    } else {
        CourseFile file;
        file.courses.push_back(course);
        if (!list_.AddFrom(file, error))
            return -1;
    }
    Touch();
    return static_cast<int>(index);
}

bool CourseFollowing::Remove(size_t index, std::string& error)
{
    if (!list_.Remove(index, error))
        return false;
    const int removed = static_cast<int>(index);
    if (followedIndex_ == removed)
        followedIndex_ = -1;
    else if (followedIndex_ > removed)
        --followedIndex_;
    Touch();
    return true;
}

bool CourseFollowing::Follow(size_t index, bool reversed)
{
    if (index >= list_.Entries().size())
        return false;
    Stop();
    list_.SetShown(index, true);
    follower_ = std::make_unique<CourseFollower>(
        list_.Entries()[index].stored.course, reversed, terrain_,
        ReadFollowSettings(settings_, navigation_.ArrivalRadiusKm()));
    followedIndex_ = static_cast<int>(index);
    navigation_.SetFollowedCourse(follower_.get());
    Touch();
    return true;
}

void CourseFollowing::Stop()
{
    if (!follower_)
        return;
    if (navigation_.CourseLegActive())
        navigation_.CancelGoto();
    navigation_.SetFollowedCourse(nullptr);
    follower_.reset();
    followedIndex_ = -1;
    legPoint_ = SIZE_MAX;
    Touch();
}

std::vector<CourseMessage> CourseFollowing::OnFix(const GpsFix& fix, const UnitFormatter& units)
{
    std::vector<CourseMessage> texts;
    const std::optional<FollowFix> at = follower_ ? FollowFixFrom(fix) : std::nullopt;
    if (!at)
        return texts;
    const std::vector<CourseEvent> events = follower_->Update(at->lat, at->lon, at->timeS);
    Touch();
    const Course& course = follower_->Profile().GetCourse();
    const std::string& name = course.name;
    const CoursePoint toward =
        course.points[std::min(follower_->State().nextPoint, course.points.size() - 1)];
    for (const CourseEvent& e : events) {
        switch (e.kind) {
        case CourseEvent::Kind::OffCourse: {
            const double value = units.SmallDistanceFromMetres(e.distanceM);
            const std::string distance =
                FormatString("%.0f %s", value, units.SmallDistanceUnitLabel().c_str());
            texts.push_back({e.kind,
                             FormatTranslated("CourseFollowing",
                                              HW_TRANSLATE_NOOP("CourseFollowing", "偏离路线 %s"),
                                              distance.c_str()),
                             toward});
            break;
        }
        case CourseEvent::Kind::BackOnCourse:
            texts.push_back({e.kind, Translate("CourseFollowing", "已回到路线"), toward});
            break;
        case CourseEvent::Kind::Arrived:
            texts.push_back({e.kind, Navigation::ArrivalText(name), course.points.back()});
            break;
        }
    }
    if (follower_->State().arrived)
        Stop();
    else
        SteerGoto();
    return texts;
}

void CourseFollowing::SteerGoto()
{
    const FollowState& state = follower_->State();
    if (!state.joined)
        return;
    // A goto the user chose meanwhile is left alone.
    if (legPoint_ != SIZE_MAX && !navigation_.CourseLegActive())
        return;
    const Course& course = follower_->Profile().GetCourse();
    const size_t next = std::min(state.nextPoint, course.points.size() - 1);
    if (next == legPoint_)
        return;
    Waypoint w;
    w.strName = course.name;
    w.nLatitude = GeoPoint::FromDegrees(course.points[next].lat);
    w.nLongitude = GeoPoint::FromDegrees(course.points[next].lon);
    const double ele = follower_->Profile().HeightAt(next);
    w.fAltitude = std::isfinite(ele) ? static_cast<float>(ele) : 0.0f;
    navigation_.StartCourseLeg(w);
    legPoint_ = next;
}

} // namespace hw
