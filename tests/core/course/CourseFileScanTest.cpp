#include "course/CourseFileScan.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

// What a dropped file is taken for: waypoints, courses or both, from its
// extension and its GPX elements (whatever their prefix), never from text.
TEST(CourseFileScan, TellsWaypointsFromTracksAndRoutes)
{
    test::TempDir dir;
    struct Case {
        const char* name;
        const char* text;
        bool waypoints, courses;
    };
    for (const Case& c :
         {Case{"w.gpx", "<gpx><wpt lat=\"1\" lon=\"2\"/></gpx>", true, false},
          Case{"t.gpx", "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>",
               false, true},
          Case{"r.gpx", "<g:gpx><g:rte><g:rtept lat=\"1\" lon=\"2\"/></g:rte></g:gpx>", false,
               true},
          Case{"b.gpx",
               "<gpx><wpt lat=\"1\" lon=\"2\"/><rte><rtept lat=\"1\" lon=\"2\">"
               "</rtept></rte></gpx>",
               true, true},
          Case{"n.gpx", "<gpx><desc>no wpt here, nor trkpt</desc></gpx>", true, false},
          Case{"c.kml", "<kml/>", false, true}, Case{"c.trk", "", false, true},
          Case{"p.loc", "<loc/>", true, false}}) {
        test::WriteFileBytes(dir.Path(c.name), c.text);
        const CourseFileScan scan = CourseFileScan::Of(dir.Path(c.name));
        EXPECT_EQ(scan.waypoints, c.waypoints) << c.name;
        EXPECT_EQ(scan.courses, c.courses) << c.name;
    }
    EXPECT_TRUE(CourseFileScan::Of(dir.Path("missing.gpx")).waypoints) << "the import says why";
}

} // namespace
} // namespace hw
