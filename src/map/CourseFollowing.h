#pragma once

#include "course/CourseFollower.h"
#include "course/CourseList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hw {

class Navigation;
class SettingsStore;
class UnitFormatter;
struct GpsFix;

// Course settings, section "路线".
namespace course_setting {
inline constexpr const char* kSection = "路线";
inline constexpr const char* kOffCourseDistance = "Off Course Distance"; // metres
inline constexpr const char* kCoursePace = "Course Pace";
} // namespace course_setting

// What a fix gives the walker to read: the event and its text.
struct CourseMessage {
    CourseEvent::Kind kind;
    std::string text;
    CoursePoint toward; // the course's point ahead (its end on arrival)
};

// The follow settings as stored: the off-course distance clamped to its
// range, the pace factor (a bad value gives the default), the arrival
// distance of the waypoints.
FollowSettings ReadFollowSettings(const SettingsStore& settings, double arrivalKm);

// The map's courses: the listed ones (shown or hidden) and the one followed.
// Each fix moves the follower, steers the goto toward the course's next
// point ahead and gives the messages to show; the arrival stops following.
class CourseFollowing {
public:
    CourseFollowing(CourseStore store, TerrainFile* terrain, Navigation& navigation,
                    const SettingsStore& settings);
    ~CourseFollowing();

    // Reads the courses folder; the messages of the files that failed.
    std::vector<std::string> Load();
    CourseList& List() { return list_; }
    const CourseList& List() const { return list_; }

    // Lists a course, shown: kept in the folder, or for this run only. Its
    // index; -1 and the message when it could not be kept.
    int Add(const Course& course, bool keep, std::string& error);
    // Removes a listed course; following it goes on.
    bool Remove(size_t index, std::string& error);

    // Follows the listed course (shown from now on), joining it at the next
    // fix; false when there is no such course.
    bool Follow(size_t index, bool reversed);
    void Stop();
    const CourseFollower* Follower() const { return follower_.get(); }
    // The listed course followed; -1 when none, or when it was removed.
    int FollowedIndex() const { return followedIndex_; }

    // One GPS update: the messages to show, in order (off course, back on
    // course, arrived).
    std::vector<CourseMessage> OnFix(const GpsFix& fix, const UnitFormatter& units);

    // Changes whenever the courses would be drawn differently.
    uint64_t Revision() const { return revision_; }
    void Touch() { ++revision_; }

private:
    void SteerGoto();

    CourseList list_;
    TerrainFile* terrain_;
    Navigation& navigation_;
    const SettingsStore& settings_;
    std::unique_ptr<CourseFollower> follower_;
    int followedIndex_ = -1;
    size_t legPoint_ = SIZE_MAX; // the course point the goto leads to
    uint64_t revision_ = 1;
};

} // namespace hw
