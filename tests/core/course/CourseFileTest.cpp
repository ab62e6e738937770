// Courses read from files, kept in the courses folder, and measured.
#include "TestFiles.h"

#include "course/CourseFile.h"
#include "course/CourseGpxWriter.h"
#include "course/CourseList.h"
#include "course/CourseProfile.h"
#include "course/Tobler.h"
#include "geo/SphericalGeometry.h"

#include <cmath>

namespace hw {
namespace {

using Status = CourseFile::Status;

struct ReadCase {
    const char* file;
    const char* text;
    Status status;
    std::vector<std::string> names; // of the courses read
    std::vector<size_t> points;
    bool heights; // the first point's
};

const ReadCase kReadCases[] = {
    {"two-segments.gpx",
     R"(<gpx version="1.0"><wpt lat="1" lon="1"><ele>9</ele></wpt>
        <trk><name>Ridge</name><trkseg><trkpt lat="46.5" lon="7.5"><ele>1500.5</ele></trkpt>
        <trkpt lat="46.501" lon="7.5"/></trkseg><trkseg><number>2</number>
        <trkpt lat="46.502" lon="7.5"><ele>1510</ele></trkpt></trkseg></trk></gpx>)",
     Status::Ok,
     {"Ridge"},
     {3},
     true},
    {"route.gpx",
     R"(<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1"><rte><rtept lat="-33.9" lon="18.4"/>
        <rtept lat="-33.95" lon="18.41"><extensions><x:ele>5</x:ele></extensions></rtept></rte>
        <trk><name>Walk</name><trkseg><trkpt lat="1" lon="2"/><trkpt lat="1.001" lon="2"/></trkseg></trk></gpx>)",
     Status::Ok,
     {"route", "Walk"},
     {2, 2},
     false},
    {"lines.kml",
     R"(<kml xmlns="http://www.opengis.net/kml/2.2"><Document><name>Doc</name><Placemark><name>Pass</name>
        <MultiGeometry><LineString><coordinates>7.1,45.1,2100 7.2,45.2,2200
        </coordinates></LineString><LineString><altitudeMode>clampToGround</altitudeMode>
        <coordinates>7.3,45.3,50 7.4,45.4,60</coordinates></LineString></MultiGeometry></Placemark>
        <Placemark><LineString><gx:altitudeMode>absolute</gx:altitudeMode><coordinates>1,2 3,4</coordinates>
        </LineString></Placemark></Document></kml>)",
     Status::Ok,
     {"Pass", "Pass", "lines"},
     {2, 2, 2},
     true},
    {"broken-point.gpx",
     R"(<gpx><trk><trkseg><trkpt lat="46.5" lon="7.5"/><trkpt lat="46,5" lon="7.5"/></trkseg></trk></gpx>)",
     Status::Damaged,
     {},
     {},
     false},
    {"bad-height.gpx",
     R"(<gpx><rte><rtept lat="46.5" lon="7.5"><ele>high</ele></rtept><rtept lat="46" lon="7"/></rte></gpx>)",
     Status::Damaged,
     {},
     {},
     false},
    {"far-point.kml",
     R"(<kml><Placemark><LineString><coordinates>7,45 190,45</coordinates></LineString></Placemark></kml>)",
     Status::Damaged,
     {},
     {},
     false},
    {"cut-short.gpx",
     R"(<gpx><trk><trkseg><trkpt lat="46.5" lon="7.5"/><trkpt lat="46.6" lon="7.5"/>)",
     Status::Damaged,
     {},
     {},
     false},
    {"one-point.gpx",
     R"(<gpx><trk><trkseg><trkpt lat="46.5" lon="7.5"/></trkseg></trk></gpx>)",
     Status::NoCourse,
     {},
     {},
     false},
};

TEST(CourseFile, ReadsTracksRoutesAndLinesAndRefusesDamagedFilesWhole)
{
    test::TempDir dir;
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.file);
        test::WriteFileBytes(dir.Path(c.file), c.text);
        CourseFile file = ReadCourseFile(dir.Path(c.file));
        EXPECT_EQ(file.status, c.status) << file.error;
        EXPECT_EQ(file.error.empty(), c.status == Status::Ok);
        ASSERT_EQ(file.courses.size(), c.names.size());
        for (size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(file.courses[i].name, c.names[i]);
            EXPECT_EQ(file.courses[i].points.size(), c.points[i]);
        }
        EXPECT_TRUE(file.courses.empty() ||
                    std::isfinite(file.courses[0].points[0].ele) == c.heights);
    }
    // The track's second segment is remembered; the route is of kind route.
    CourseFile two = ReadCourseFile(dir.Path("two-segments.gpx"));
    EXPECT_EQ(two.courses[0].segmentStarts, std::vector<uint32_t>{2});
    EXPECT_EQ(ReadCourseFile(dir.Path("route.gpx")).courses[0].kind, CourseKind::Route);
    EXPECT_NE(ReadCourseFile(dir.Path("broken-point.gpx")).error.find("line 1"), std::string::npos);
    EXPECT_EQ(ReadCourseFile(dir.Path("missing.gpx")).status, Status::CannotOpen);
    // A waypoint file from another program holds no course.
    EXPECT_EQ(ReadCourseFile(HIKEWISE_PEER_DATA_DIR "/gpx/geocaching.gpx").status,
              Status::NoCourse);
}

TEST(CourseFile, KeptCoursesReadBackExactlyAndAFailedOpenChangesNothing)
{
    test::TempDir dir;
    Course c{"Col / <Nord> & \"Sud\"", CourseKind::Track, {}, {3}};
    for (int i = 0; i < 6; ++i)
        c.points.push_back({45.0 + i * 0.000123456789, 6.9 + i * 1e-7, i == 2 ? NAN : 1000.25 + i});
    CourseList list(CourseStore(dir.Path("Documents/Courses")), nullptr, 1.0);
    std::string error;
    ASSERT_TRUE(list.AddFrom({Status::Ok, {c, c.Reversed()}, ""}, error)) << error;
    ASSERT_TRUE(list.Rename(1, "Back", error));
    CourseFile damaged = ReadCourseFile(dir.Path("none.gpx"));
    EXPECT_FALSE(list.AddFrom(damaged, error));

    CourseList again(CourseStore(dir.Path("Documents/Courses")), nullptr, 1.0);
    EXPECT_TRUE(again.Load().empty());
    ASSERT_EQ(again.Entries().size(), 2u);
    const size_t first = again.Entries()[0].stored.course.name == "Back" ? 1 : 0;
    const Course& kept = again.Entries()[first].stored.course;
    EXPECT_EQ(kept.name, c.name);
    EXPECT_EQ(kept.segmentStarts, c.segmentStarts);
    for (size_t i = 0; i < c.points.size(); ++i) {
        EXPECT_EQ(kept.points[i].lat, c.points[i].lat);
        EXPECT_EQ(kept.points[i].lon, c.points[i].lon);
        EXPECT_EQ(std::isfinite(kept.points[i].ele), std::isfinite(c.points[i].ele));
    }
    EXPECT_EQ(again.Entries()[1 - first].stored.course.name, "Back");
    EXPECT_EQ(again.Entries()[1 - first].stored.course.segmentStarts, std::vector<uint32_t>{3});
    EXPECT_NE(again.Entries()[0].colour, again.Entries()[1].colour);
    ASSERT_TRUE(again.Remove(0, error));
    CourseList last(CourseStore(dir.Path("Documents/Courses")), nullptr, 1);
    EXPECT_TRUE(last.Load().empty());
    EXPECT_EQ(last.Entries().size(), 1u);
}

// A straight course north from 45°N, 1 km between its points, with the
// heights given.
Course Northward(std::vector<double> heights)
{
    Course c;
    for (size_t i = 0; i < heights.size(); ++i)
        c.points.push_back({45.0 + i / (kEarthRadiusKm * kRadiansPerDegree), 7.0, heights[i]});
    return c;
}

TEST(CourseProfile, FiguresByToblerAndTheHundredMetreSteps)
{
    // On the flat, Tobler walks 5.04 km/h; without heights the time is the
    // same and the heights are unknown.
    CourseFigures flat = CourseProfile(Northward({NAN, NAN, NAN}), nullptr).Figures(1.0);
    EXPECT_NEAR(flat.lengthM, 2000, 1);
    EXPECT_NEAR(flat.timeS, 2000 / 5.04 * 3.6, 1);
    EXPECT_FALSE(flat.ascentM || flat.descentM || flat.minEle || flat.maxEle);
    // Up 100 m, down 300 m, up 50 m: each km a step of its own.
    CourseFigures hills = CourseProfile(Northward({500, 600, 300, 350}), nullptr).Figures(1.5);
    EXPECT_NEAR(*hills.ascentM, 150, 0.01);
    EXPECT_NEAR(*hills.descentM, 300, 0.01);
    EXPECT_EQ(*hills.minEle, 300);
    EXPECT_EQ(*hills.maxEle, 600);
    double tobler = ToblerSeconds(1000, 100) + ToblerSeconds(1000, -300) + ToblerSeconds(1000, 50);
    EXPECT_NEAR(hills.timeS, 1.5 * tobler, 1.5 * tobler * 1e-3);
    // Height noise between points centimetres apart makes no day-long walk.
    Course still = Northward({500, 500});
    for (int i = 0; i < 200; ++i)
        still.points.insert(still.points.begin() + 1, {45.0, 7.0, 500.0 + (i % 2)});
    EXPECT_LT(CourseProfile(still, nullptr).Figures(1).timeS, 1000 / 5.04 * 3.6 * 1.2);
    // A walk ending within its last 100 m step still counts that climb.
    CourseFigures shortClimb =
        CourseProfile(Course{"", {}, {{45, 7, 100}, {45.0005, 7, 120}}, {}}, nullptr).Figures(1);
    EXPECT_NEAR(*shortClimb.ascentM, 20, 0.01);
}

TEST(CourseFile, TwoHundredThousandPointsOpenWhole)
{
    test::TempDir dir;
    std::string gpx = "<gpx><trk><name>Long</name><trkseg>\n";
    for (int i = 0; i < 200000; ++i)
        gpx += "<trkpt lat=\"" + std::to_string(46 + i * 1e-5) + "\" lon=\"7.5\"><ele>" +
               std::to_string(1000 + i % 50) + "</ele></trkpt>\n";
    test::WriteNewFile(dir.Path("long.gpx"), gpx + "</trkseg></trk></gpx>\n");
    CourseFile file = ReadCourseFile(dir.Path("long.gpx"));
    ASSERT_EQ(file.status, Status::Ok) << file.error;
    ASSERT_EQ(file.courses[0].points.size(), 200000u);
    EXPECT_NEAR(CourseProfile(file.courses[0], nullptr).LengthM(),
                DistanceKm(46, 7.5, 46 + 199999e-5, 7.5) * 1000, 1);
}

} // namespace
} // namespace hw
