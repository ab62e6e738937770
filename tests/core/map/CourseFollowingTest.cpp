#include "map/CourseFollowing.h"
#include "TestFiles.h"
#include "base/DecimalSetting.h"
#include "base/MemorySettingsStore.h"
#include "gps/GpsFix.h"
#include "map/MapModel.h"
#include "map/Navigation.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace hw {
namespace {

Course Straight(const char* name)
{
    Course c;
    c.name = name;
    for (int i = 0; i <= 40; ++i)
        c.points.push_back({46.55 + i * 0.0004, 7.98, NAN});
    return c;
}

// The stored settings as the follower takes them: the off-course distance
// clamped to 10..500 m, a pace that is no number or not above 0 ignored.
TEST(CourseFollowing, ReadsItsSettingsWithinTheirRanges)
{
    struct Case {
        const char *off, *pace;
        double offM, paceFactor;
    };
    for (const Case& c :
         {Case{"", "", 50, 1.0}, Case{"5", "0", 10, 1.0}, Case{"900", "-2", 500, 1.0},
          Case{"30", "1.5", 30, 1.5}, Case{"x", "nan", 50, 1.0}}) {
        MemorySettingsStore settings;
        if (*c.off)
            settings.SetText(course_setting::kSection, course_setting::kOffCourseDistance, c.off);
        if (*c.pace)
            settings.SetText(course_setting::kSection, course_setting::kCoursePace, c.pace);
        const FollowSettings s = ReadFollowSettings(settings, 0.03048);
        EXPECT_EQ(s.offCourseM, c.offM) << c.off;
        EXPECT_EQ(s.paceFactor, c.paceFactor) << c.pace;
        EXPECT_DOUBLE_EQ(s.arrivalM, 30.48);
    }
}

// Kept and unkept courses, removing the followed one or one before it, and
// the messages of an excursion in the user's units.
TEST(CourseFollowing, KeepsFollowingThroughRemovalsAndSaysTheDistanceOff)
{
    test::TempDir dir;
    MemorySettingsStore settings;
    settings.SetInt("设置", "距离-速度单位", 2);
    WaypointDatabase db;
    MapModel model{GeoPoint::FromDegrees(46.55, 7.98)};
    Navigation nav{db, model};
    CourseFollowing courses(CourseStore(dir.Path("Courses")), nullptr, nav, settings);
    std::string error;
    ASSERT_EQ(courses.Add(Straight("Kept"), true, error), 0);
    ASSERT_EQ(courses.Add(Straight("Planned"), false, error), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("Courses")),
                            std::filesystem::directory_iterator()),
              1)
        << "only the kept course has a file";
    ASSERT_TRUE(courses.Follow(1, false));
    ASSERT_TRUE(courses.Remove(0, error)) << error;
    EXPECT_EQ(courses.FollowedIndex(), 0);
    ASSERT_TRUE(courses.Remove(0, error)) << error;
    EXPECT_EQ(courses.FollowedIndex(), -1);
    ASSERT_NE(courses.Follower(), nullptr) << "the walk goes on without the list's row";

    UnitFormatter units(settings);
    GpsFix fix;
    fix.fixQuality = 1;
    std::vector<std::string> texts;
    for (double east : {0.0, 0.0, 0.0012, 0.0012, 0.0012, 0.0012, 0.0, 0.0, 0.0, 0.0}) {
        fix.ggaLatitude = 46.556;
        fix.ggaLongitude = 7.98 + east; // 0.0012 degrees: about 92 m east
        for (const CourseMessage& m : courses.OnFix(fix, units))
            texts.push_back(m.text);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "偏离路线 92 m");
    EXPECT_EQ(texts[1], "已回到路线");
    EXPECT_TRUE(nav.CourseLegActive());
    courses.Stop();
    EXPECT_FALSE(nav.IsGotoActive());
}

} // namespace
} // namespace hw
