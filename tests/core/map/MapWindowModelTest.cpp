#include "map/MapWindowModel.h"
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "geo/SphericalGeometry.h"
#include "gps/GpsFix.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/TripComputer.h"
#include "map/MapModel.h"
#include "map/Navigation.h"
#include "track/TrackLog.h"
#include "waypoints/PositionAverager.h"
#include "waypoints/WaypointDatabase.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

class FixedClock final : public Clock {
public:
    int64_t NowSeconds() const override { return 1700000000; }
    int64_t MonotonicMs() const override { return 0; }
};

// Records what the core posts, as the window would receive it.
class RecordingSink final : public NotificationSink {
public:
    void Post(uint32_t message, uintptr_t, intptr_t) override { messages.push_back(message); }
    std::vector<uint32_t> messages;
};

class MapWindowModelTest : public ::testing::Test {
protected:
    MapWindowModelTest()
    {
        window.LoadSettings(settings);
        navigation.SetArrivalMessage([this](const std::string& text) { arrivals.push_back(text); });
    }

    GpsFix Fix(const GeoPoint& p, int quality = 1, double course = 45)
    {
        GpsFix fix;
        fix.fixQuality = static_cast<uint8_t>(quality);
        fix.ggaLatitude = p.LatDegrees();
        fix.ggaLongitude = p.LonDegrees();
        fix.altitude = 600;
        fix.satellitesUsed = 7;
        fix.course = course;
        fix.speed = 2;
        fix.ggaHour = 10;
        fix.ggaMinute = static_cast<uint8_t>(seconds_ / 60);
        fix.ggaSecond = static_cast<uint8_t>(seconds_ % 60);
        fix.ggaSeconds = fix.ggaSecond;
        fix.day = 7;
        fix.month = 12;
        fix.year = 2026;
        fix.dateKnown = true;
        ++seconds_;
        return fix;
    }

    MemorySettingsStore settings;
    FixedClock clock;
    MapModel map;
    TrackLog track;
    TripComputer trip{clock};
    AltitudeProfile profile;
    WaypointDatabase waypoints;
    PositionAverager averager{settings};
    RecordingSink sink;
    Navigation navigation{waypoints, map, &sink};
    MapWindowModel window{{map, track, trip, profile, waypoints, averager, navigation}};
    std::vector<std::string> arrivals;
    int seconds_ = 0;
};

const GeoPoint kStart = GeoPoint::FromDegrees(46.55, 7.98);

TEST_F(MapWindowModelTest, SettingsGiveTheStartPositionAndTheDrawingOptions)
{
    EXPECT_EQ(map.CurrentPosition(), (GeoPoint{33800000, -117800000, 0}));
    EXPECT_FALSE(map.NorthUp()); // "North Up" defaults to 0
    EXPECT_EQ(map.PositionIconSize(), 4.0);
    EXPECT_TRUE(window.ShowNavigation());
    EXPECT_FALSE(window.ShowAltitude());
    EXPECT_EQ(track.CourseThresholdEnabled(), 0);

    settings.SetInt(section::kMap, map_setting::kLargePositionIcon, 1);
    settings.SetInt(section::kMap, map_setting::kNorthUp, 1);
    settings.SetInt(section::kMap, track_setting::kUseGpsCourse, 0);
    settings.SetInt(section::kMap, map_setting::kLatitude, 1);
    window.LoadSettings(settings);
    EXPECT_EQ(map.PositionIconSize(), 8.0);
    EXPECT_TRUE(map.NorthUp());
    EXPECT_EQ(track.CourseThresholdEnabled(), 1);
    EXPECT_EQ(map.CurrentPosition().lat, 1);

    map.SetCurrentPosition(kStart);
    MemorySettingsStore saved;
    window.StorePosition(saved);
    EXPECT_EQ(saved.GetInt(section::kMap, map_setting::kLatitude, 0), kStart.lat);
    EXPECT_EQ(saved.GetInt(section::kMap, map_setting::kLongitude, 0), kStart.lon);
}

TEST_F(MapWindowModelTest, AFixMovesTheMapRecordsTheTrackAndFeedsTheProfile)
{
    MapWindowModel::Repaint r = window.OnGpsUpdate(Fix(kStart, 2, 123), true);
    EXPECT_TRUE(r.map);
    EXPECT_TRUE(r.navigation);
    EXPECT_FALSE(r.profile);
    EXPECT_EQ(map.CurrentPosition().lat, kStart.lat);
    EXPECT_EQ(map.CurrentCourse(), 123);
    EXPECT_EQ(map.FixBars(), 6);
    EXPECT_EQ(map.PositionIconColour(), Rgb(0, 153, 255));
    EXPECT_EQ(track.Count(), 1);
    EXPECT_EQ(profile.Maximum(), 600);

    // Without the GPS course the track's own course is used.
    navigation.SetUseGpsCourse(0, track);
    track.SetCourseThreshold(0.001);
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.05, 90), 1, 10), false);
    EXPECT_NEAR(map.CurrentCourse(), 90, 0.5);
    EXPECT_EQ(map.PositionIconColour(), Rgb(0, 255, 0));
    EXPECT_GT(trip.Odometer(), 0);

    // No fix: nothing moves, the profile gets nothing, the bars fall.
    GpsFix lost = Fix(ProjectPoint(kStart, 0.5, 90), 0);
    lost.satellitesUsed = 0;
    GeoPoint before = map.CurrentPosition();
    EXPECT_FALSE(window.OnGpsUpdate(lost, false).map);
    EXPECT_EQ(map.CurrentPosition(), before);
    EXPECT_EQ(map.FixBars(), -1);
    EXPECT_EQ(track.Count(), 2);
    EXPECT_TRUE(window.NextPointStartsSegment());
    // ...so the next point starts a segment, and the one after does not.
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.1, 90)), false);
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.15, 90)), false);
    ASSERT_EQ(track.Count(), 4);
    EXPECT_EQ(track.At(2).segmentStart, 1);
    EXPECT_EQ(track.At(3).segmentStart, 0);
}

TEST_F(MapWindowModelTest, PausedUpdatesAndLostLinksOnTheTimer)
{
    window.SetPaused(true);
    MapWindowModel::Repaint r = window.OnGpsUpdate(Fix(kStart), true);
    EXPECT_FALSE(r.map);
    EXPECT_EQ(track.Count(), 0);
    window.SetPaused(false);
    window.OnGpsUpdate(Fix(kStart), true);
    EXPECT_FALSE(window.OnTimer(true, true).profile);
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.1, 0)), true);
    ASSERT_EQ(track.Count(), 2);
    EXPECT_EQ(track.At(1).segmentStart, 1);
    EXPECT_FALSE(window.OnTimer(false, false).map);
}

TEST_F(MapWindowModelTest, APausedViewTimerRaisesNoAlarm)
{
    window.OnGpsUpdate(Fix(kStart), true);
    Waypoint bell;
    bell.strName = "Bell";
    bell.nLatitude = kStart.lat;
    bell.nLongitude = kStart.lon;
    bell.bActiveWaypoint = 1;
    bell.dActiveWPDistance = 0.5;
    waypoints.Add(bell);
    sink.messages.clear();
    window.SetPaused(true);
    window.OnViewTimer();
    EXPECT_TRUE(sink.messages.empty());
    window.SetPaused(false);
    window.OnViewTimer();
    EXPECT_EQ(sink.messages, std::vector<uint32_t>{WM_PROXIMITY_ALARM});
}

TEST_F(MapWindowModelTest, AveragingMarksTheAveragedPositionOnTheMap)
{
    window.StartAveraging();
    EXPECT_TRUE(window.Averaging());
    window.OnGpsUpdate(Fix(kStart), true);
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.002, 0)), true);
    ASSERT_TRUE(map.Averaging().has_value());
    EXPECT_NEAR(map.Averaging()->position.lat, kStart.lat, 20);
    EXPECT_GT(map.Averaging()->spreadKm, 0);
    EXPECT_TRUE(window.Layout(240, 320, 13).averaging.Height() > 0);
    window.CancelAveraging();
    EXPECT_FALSE(map.Averaging().has_value());
    EXPECT_EQ(window.Layout(240, 320, 13).averaging, ScreenRect{});
}

TEST_F(MapWindowModelTest, FixesRaiseProximityAlarmsAndTheArrivalMessage)
{
    Waypoint alarm;
    GeoPoint alarmAt = ProjectPoint(kStart, 0.2, 0);
    alarm.nLatitude = alarmAt.lat;
    alarm.nLongitude = alarmAt.lon;
    alarm.strName = "Hut";
    alarm.bActiveWaypoint = 1;
    alarm.dActiveWPDistance = 0.05;
    ASSERT_GT(waypoints.Add(alarm), 0);
    Waypoint target = alarm;
    target.strName = "Summit";
    target.bActiveWaypoint = 0;
    ASSERT_GT(waypoints.Add(target), 0);

    window.OnGpsUpdate(Fix(kStart), true);
    navigation.StartGoto(target);
    EXPECT_TRUE(sink.messages.empty());
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.19, 0)), true);
    EXPECT_EQ(sink.messages, (std::vector<uint32_t>{WM_PROXIMITY_ALARM}));
    Waypoint waiting;
    ASSERT_TRUE(navigation.TakeAlarm(waiting));
    EXPECT_EQ(waiting.strName, "Hut");
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_NE(arrivals[0].find("Summit"), std::string::npos);
    // Without a fix nothing is checked.
    window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.2, 0), 0), true);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(arrivals.size(), 1u);
    // The view's timer checks too: a position set by hand far away ends
    // the goto.
    map.SetCurrentPosition(kStart);
    window.OnViewTimer();
    EXPECT_FALSE(navigation.IsGotoActive());
}

TEST_F(MapWindowModelTest, AGotoStartedDropsTheLastEstimateAtOnce)
{
    Waypoint summit;
    const GeoPoint at = ProjectPoint(kStart, 2, 0);
    summit.nLatitude = at.lat;
    summit.nLongitude = at.lon;
    summit.strName = "Summit";
    Waypoint hut = summit;
    hut.strName = "Hut";
    hut.nLongitude += 1000;
    for (const Waypoint& next : {summit, hut}) { // the same target again, another
        navigation.StartGoto(summit);
        for (int i = 0; i < 5; ++i)
            window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.02 * i, 0)), true);
        ASSERT_TRUE(trip.HasEstimate()) << next.strName;
        navigation.StartGoto(next);
        window.OnGpsUpdate(Fix(ProjectPoint(kStart, 0.08, 0)), true); // standing still
        EXPECT_FALSE(trip.HasEstimate()) << next.strName;
        EXPECT_EQ(trip.Ete(), 0) << next.strName;
        EXPECT_EQ(trip.Eta(), 0) << next.strName;
    }
}

} // namespace
} // namespace hw