#include "map/Navigation.h"
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "geo/SphericalGeometry.h"
#include "gps/GpsFix.h"
#include "instruments/PanelReadings.h"

#include <cmath>

#include <vector>

#include <gtest/gtest.h>

namespace hw {
namespace {

struct RecordingSink final : NotificationSink {
    std::vector<uint32_t> messages;
    void Post(uint32_t message, uintptr_t, intptr_t) override { messages.push_back(message); }
};

struct Nav : ::testing::Test {
    WaypointDatabase db;
    MapModel model{GeoPoint{47500000, 8500000, 0}};
    RecordingSink sink;
    Navigation nav{db, model, &sink};
    TrackLog track;
    std::vector<std::string> shown;
    Waypoint target;

    Nav()
    {
        target.strName = "GC7FA4";
        GeoPoint t = ProjectPoint(model.CurrentPosition(), 1.0, 0); // 1 km north
        target.nLatitude = t.lat;
        target.nLongitude = t.lon;
        nav.SetArrivalMessage([this](const std::string& text) {
            // Arrived is already set while the message shows.
            EXPECT_EQ(nav.GotoTarget().bArrived, 1);
            shown.push_back(text);
        });
    }
    // Moves the position to a distance (km) and bearing from the target.
    void MoveNearTarget(double km, double bearing = 180)
    {
        model.SetCurrentPosition(
            ProjectPoint({target.nLatitude, target.nLongitude, 0}, km, bearing));
    }
};

TEST_F(Nav, NothingWithoutAGoto)
{
    EXPECT_EQ(nav.IsGotoActive(), 0);
    EXPECT_EQ(nav.DistanceToTargetKm(), 0);
    EXPECT_EQ(nav.CrossTrackError(), 0);
    EXPECT_EQ(nav.BearingToTarget(), 0);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kNoChange);
    EXPECT_TRUE(shown.empty());
}

TEST_F(Nav, StartGotoKeepsTheLegAndReplacesAnEarlierOne)
{
    Waypoint other = target;
    other.strName = "other";
    nav.StartGoto(other);
    model.SetCurrentPosition({47400000, 8500000, 0});
    nav.StartGoto(target);
    EXPECT_EQ(nav.IsGotoActive(), 1);
    EXPECT_EQ(nav.GotoTarget().strName, "GC7FA4");
    EXPECT_EQ(db.TargetStart(), (GeoPoint{47400000, 8500000, 0}));
    EXPECT_NEAR(nav.DistanceToTargetKm(), 12.13, 0.01);
    EXPECT_NEAR(nav.BearingToTarget(), 0.0, 1e-6); // due north
    nav.CancelGoto();
    EXPECT_EQ(nav.IsGotoActive(), 0);
    EXPECT_EQ(nav.GotoTarget().strName, "");
}

TEST_F(Nav, ArrivalShowsOnceAndLeavingFiveRadiiEndsTheGoto)
{
    nav.StartGoto(target);
    MoveNearTarget(0.5);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kNoChange);
    MoveNearTarget(0.030);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kArrived);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kNoChange); // the timer ticks again
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "您已到达: GC7FA4");
    MoveNearTarget(0.15);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kNoChange);
    EXPECT_EQ(nav.IsGotoActive(), 1);
    MoveNearTarget(0.16);
    EXPECT_EQ(nav.CheckArrival(), Navigation::kGotoEnded);
    EXPECT_EQ(nav.IsGotoActive(), 0);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(Nav, PanelReadingsFollowTheGoto)
{
    GpsFix fix;
    fix.altitude = 512.5;
    fix.speed = 3.5;
    model.SetCurrentCourse(42);
    PanelReadings idle = PanelReadings::From(fix, nav);
    EXPECT_FALSE(idle.navigating);
    EXPECT_EQ(idle.distanceToTargetKm, 0);
    EXPECT_EQ(idle.altitudeMetres, 512.5);
    EXPECT_EQ(idle.speedKnots, 3.5);
    EXPECT_EQ(idle.courseDegrees, 42);
    nav.StartGoto(target);
    PanelReadings r = PanelReadings::From(fix, nav);
    EXPECT_TRUE(r.navigating);
    EXPECT_NEAR(r.distanceToTargetKm, 1.0, 0.005); // projected by minutes of arc
    EXPECT_NEAR(r.bearingToTarget, 0.0, 1e-6);
    EXPECT_EQ(r.targetName, "GC7FA4");
}

TEST_F(Nav, CrossTrackErrorIsPositiveRightOfTheLeg)
{
    nav.StartGoto(target); // the leg runs north
    GeoPoint origin = model.CurrentPosition();
    GeoPoint halfway = ProjectPoint(origin, 0.5, 0);
    model.SetCurrentPosition(ProjectPoint(halfway, 0.1, 90)); // 100 m east
    EXPECT_NEAR(nav.CrossTrackError() * kEarthRadiusKm, 0.1, 0.001);
    model.SetCurrentPosition(ProjectPoint(halfway, 0.1, 270));
    EXPECT_NEAR(nav.CrossTrackError() * kEarthRadiusKm, -0.1, 0.001);
    // The same from the free function, and no NaN at the far side of the
    // earth.
    EXPECT_NEAR(CrossTrackError(origin, {target.nLatitude, target.nLongitude, 0}, origin), 0,
                1e-12);
    GeoPoint antipode{-origin.lat, origin.lon - 180000000, 0};
    EXPECT_TRUE(std::isfinite(CrossTrackError(origin, antipode, antipode)));
}

TEST_F(Nav, CourseFromTheGpsOrFromTheTrack)
{
    MemorySettingsStore settings;
    nav.ApplySettings(settings, track);
    EXPECT_EQ(nav.UseGpsCourse(), 1);
    EXPECT_EQ(track.CourseThresholdEnabled(), 0);
    EXPECT_EQ(nav.ArrivalRadiusKm(), 0.03048);
    TrackPoint a{47500000, 8500000, 100, 0, 0};
    TrackPoint b{47500000, 8510000, 100, 0, 0}; // east of a
    track.AddPoint(a);
    track.AddPoint(b);
    nav.UpdateCourse(nav.PassedCourse(123.4), track);
    EXPECT_EQ(nav.CurrentCourse(), 123.4);

    settings.SetInt("地图", "使用由GPS指示的航向", 0);
    settings.SetText("地图", "路点到达距离", "0.1");
    nav.ApplySettings(settings, track);
    EXPECT_EQ(track.CourseThresholdEnabled(), 1);
    EXPECT_EQ(nav.ArrivalRadiusKm(), 0.1);
    EXPECT_EQ(nav.PassedCourse(123.4), Navigation::kNoGpsCourse);
    nav.UpdateCourse(nav.PassedCourse(123.4), track);
    EXPECT_NEAR(nav.CurrentCourse(), 90.0, 0.01);
    nav.SetArrivalRadiusKm(0.03048);
    nav.StoreArrivalRadius(settings);
    EXPECT_EQ(settings.GetText("地图", "路点到达距离", ""), "0.030480");
}

TEST_F(Nav, ProximityAlarmsQueueUpToTenAndPostEach)
{
    for (int i = 0; i < 11; ++i) {
        Waypoint w;
        w.strName = "alarm " + std::to_string(i);
        w.nLatitude = 47500000 + 10 * i;
        w.nLongitude = 8500000;
        w.bActiveWaypoint = 1;
        ASSERT_GT(db.Add(w), 0);
    }
    int queued = 0;
    for (int i = 0; i < 11; ++i)
        queued += nav.CheckProximity();
    EXPECT_EQ(queued, 10);
    EXPECT_EQ(nav.PendingAlarms(), 10u);
    EXPECT_EQ(sink.messages, std::vector<uint32_t>(10, WM_PROXIMITY_ALARM));
    std::vector<std::string> names;
    Waypoint w;
    while (nav.TakeAlarm(w))
        names.push_back(w.strName);
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(nav.PendingAlarms(), 0u);
    EXPECT_FALSE(nav.CheckProximity()); // every circle has been entered
}

} // namespace
} // namespace hw
