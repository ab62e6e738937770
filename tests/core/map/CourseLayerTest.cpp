#include "map/CourseLayer.h"
#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "course/CourseFile.h"
#include "geo/MapViewport.h"
#include "gps/GpsFix.h"
#include "map/CourseFollowing.h"
#include "map/MapModel.h"
#include "map/Navigation.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

// Pixels of the drawing by pen colour and width.
int Lines(const DrawList& out, Colour colour, int width)
{
    int n = 0;
    for (const Polylines* p : out.All<Polylines>())
        n += p->pen.colour == colour && p->pen.width == width ? static_cast<int>(p->lines.size())
                                                              : 0;
    return n;
}

// A course read from a GPX route file, kept in a courses folder, shown,
// hidden and followed half way, drawn in views near it and far from it.
TEST(CourseLayer, DrawsShownCoursesTheFollowedOneSplitAtTheWalker)
{
    test::TempDir dir;
    std::string gpx = "<gpx version=\"1.1\"><rte><name>Ridge</name>";
    for (int i = 0; i <= 40; ++i)
        gpx += "<rtept lat=\"" + std::to_string(46.55 + i * 0.0004) + "\" lon=\"7.98\"/>";
    test::WriteFileBytes(dir.Path("ridge.gpx"), gpx + "</rte></gpx>");
    const CourseFile file = ReadCourseFile(dir.Path("ridge.gpx"));
    ASSERT_EQ(file.status, CourseFile::Status::Ok) << file.error;

    MemorySettingsStore settings;
    WaypointDatabase db;
    MapModel model{GeoPoint::FromDegrees(46.558, 7.98)};
    Navigation nav{db, model};
    CourseFollowing courses(CourseStore(dir.Path("Courses")), nullptr, nav, settings);
    std::string error;
    ASSERT_EQ(courses.Add(file.courses[0], true, error), 0) << error;
    const Colour colour = Rgb(0x1F, 0x6F, 0xE0);
    const MapViewport near(GeoPoint::FromDegrees(46.558, 7.98), 1.5, {0, 0, 480, 640});
    const MapViewport far(GeoPoint::FromDegrees(47.5, 8.5), 1.5, {0, 0, 480, 640});
    struct Case {
        const char* name;
        bool shown, follow;
        const MapViewport* view;
        int strong, pale, marks;
    };
    for (const Case& c :
         {Case{"shown", true, false, &near, 1, 0, 2}, Case{"hidden", false, false, &near, 0, 0, 0},
          Case{"far away", true, false, &far, 0, 0, 0},
          Case{"followed", true, true, &near, 1, 1, 2}}) {
        courses.List().SetShown(0, c.shown);
        if (c.follow) {
            ASSERT_TRUE(courses.Follow(0, false));
            GpsFix fix;
            fix.fixQuality = 1;
            fix.ggaLongitude = 7.98;
            UnitFormatter units(settings);
            for (int i = 0; i <= 20; ++i) {
                fix.ggaLatitude = 46.55 + i * 0.0004;
                courses.OnFix(fix, units);
            }
            ASSERT_TRUE(courses.Follower()->State().joined);
            EXPECT_TRUE(nav.CourseLegActive()) << "the goto leads along the course";
        }
        DrawList out;
        CourseLayer::Draw(CourseLayer::Lines(courses), *c.view, 1, out);
        const int width = c.follow ? CourseLayer::kFollowedWidthPx : CourseLayer::kWidthPx;
        EXPECT_EQ(Lines(out, colour, width), c.strong) << c.name;
        EXPECT_EQ(Lines(out, CourseLayer::Paler(colour), width), c.pale) << c.name;
        EXPECT_EQ(static_cast<int>(out.All<Ellipse>().size()), c.marks) << c.name;
        // The course is about 1.8 km long across ~520 pixels: an arrow each 100.
        const size_t arrows = out.All<Polygon>().size();
        EXPECT_TRUE(c.strong == 0 ? arrows == 0 : arrows >= (c.follow ? 2u : 4u)) << c.name;
        const ScreenPoint onIt = c.view->GeoToScreen(GeoPoint::FromDegrees(46.562, 7.98));
        EXPECT_EQ(CourseLayer::HitTest(CourseLayer::Lines(courses), *c.view, onIt),
                  c.shown ? 0 : -1)
            << c.name;
    }
    courses.Stop();
    EXPECT_FALSE(nav.CourseLegActive());
}

} // namespace
} // namespace hw
