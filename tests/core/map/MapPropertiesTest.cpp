#include "map/MapProperties.h"
#include "TestClock.h"
#include "base/MemorySettingsStore.h"
#include "basemap/RoadLayer.h"
#include "geo/SphericalGeometry.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/TripComputer.h"
#include "instruments/WaypointMessage.h"
#include "map/MapModel.h"
#include "map/MapSelection.h"
#include "map/MapWindowModel.h"
#include "map/Navigation.h"
#include "track/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/PositionAverager.h"
#include "waypoints/WaypointDatabase.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

class MapPropertiesTest : public ::testing::Test {
protected:
    MapPropertiesTest() { window.LoadSettings(settings); }
    MapProperties::Parts Parts() { return {map, track, trip, navigation, window, units}; }

    MemorySettingsStore settings;
    test::ManualClock clock{1700000000};
    MapModel map;
    TrackLog track;
    TripComputer trip{clock};
    AltitudeProfile profile;
    WaypointDatabase waypoints;
    PositionAverager averager{settings};
    Navigation navigation{waypoints, map};
    MapWindowModel window{{map, track, trip, profile, waypoints, averager, navigation}};
    UnitFormatter units{settings};
};

TEST_F(MapPropertiesTest, TheSheetShowsThePresentValuesInItsFormats)
{
    MapProperties v = MapProperties::Read(Parts(), settings);
    EXPECT_FALSE(v.northUp);
    EXPECT_EQ(v.HdopText(), "5.0");
    EXPECT_EQ(MapProperties::MetresText(v.filterThresholdKm), "5");
    EXPECT_EQ(MapProperties::MetresText(0.0125), "12.5");
    EXPECT_FALSE(v.largePositionIcon);
    // The arrival radius as a small distance with "%f", read back to km.
    const std::string arrival = v.ArrivalText(units);
    EXPECT_NEAR(MapProperties::ArrivalKmFromText(arrival, units), 0.03048, 1e-7);
}

TEST_F(MapPropertiesTest, ThresholdsOfZeroOrLessAreRefused)
{
    EXPECT_FALSE(MapProperties::ThresholdKmFromText("0"));
    EXPECT_FALSE(MapProperties::ThresholdKmFromText("-3"));
    EXPECT_FALSE(MapProperties::ThresholdKmFromText("abc"));
    ASSERT_TRUE(MapProperties::ThresholdKmFromText("7.5"));
    EXPECT_DOUBLE_EQ(*MapProperties::ThresholdKmFromText("7.5"), 0.0075);
}

TEST_F(MapPropertiesTest, OkAppliesWithTheFilterCappedAndWritesWhatWasTyped)
{
    MapProperties v = MapProperties::Read(Parts(), settings);
    v.northUp = true;
    v.filterThresholdKm = *MapProperties::ThresholdKmFromText("2000");
    v.useGpsCourse = false;
    v.courseThresholdKm = 0.02;
    v.largePositionIcon = true;
    v.showAltitude = true;
    v.hdopThreshold = 3.5;
    v.route = {RouteMode::Shortest, 5};
    v.coursePace = 1.25;
    v.offCourseM = 120;
    v.Apply(Parts(), settings);

    EXPECT_DOUBLE_EQ(track.FilterThreshold(), 1.0);
    EXPECT_EQ(settings.GetText(section::kMap, track_setting::kFilterThreshold, ""), "2.000000");
    EXPECT_EQ(settings.GetText(section::kMap, track_setting::kCourseThreshold, ""), "0.020000");
    EXPECT_EQ(track.CourseThresholdEnabled(), 1); // the GPS course is not used
    EXPECT_EQ(settings.GetInt(section::kMap, track_setting::kUseGpsCourse, 1), 0);
    EXPECT_TRUE(map.NorthUp());
    EXPECT_EQ(settings.GetInt(section::kMap, map_setting::kNorthUp, 0), 1);
    EXPECT_EQ(map.PositionIconSize(), 8.0);
    EXPECT_TRUE(window.ShowAltitude());
    EXPECT_EQ(settings.GetInt(section::kMap, "路点平均阈值", 0), 35);
    EXPECT_EQ(settings.GetText(section::kMap, "路点到达距离", ""), "0.030480");
    // Page "路线", as the planner and the course follower read it.
    EXPECT_EQ(settings.GetInt("路线", "Route Mode", 1), 0);
    EXPECT_EQ(settings.GetInt("路线", "Route Max Difficulty", 3), 5);
    EXPECT_EQ(settings.GetText("路线", "Course Pace", ""), "1.250000");
    const MapProperties back = MapProperties::Read(Parts(), settings);
    EXPECT_EQ(back.offCourseM, 120);
    EXPECT_EQ(back.route.maxDifficulty, 5);
}

TEST(WaypointMessageTest, TheTypeChoosesTheGaugeAndTheFrame)
{
    WaypointMessage m;
    Waypoint w;
    m.Set(w, "路点", 0);
    EXPECT_EQ(m.GaugeKind(), WaypointMessage::Gauge::Compass);
    EXPECT_EQ(m.FrameColour(), Rgb(0, 0, 0));
    m.Set(w, "最近路点", 4);
    EXPECT_EQ(m.GaugeKind(), WaypointMessage::Gauge::AnalogueSpeed);
    EXPECT_EQ(m.FrameColour(), Rgb(255, 0, 0));
    m.Set(w, "最近路点", 5);
    EXPECT_EQ(m.GaugeKind(), WaypointMessage::Gauge::DigitalSpeed);
    EXPECT_TRUE(m.Warning());
    m.Set(w, "最近路点", 2);
    EXPECT_FALSE(m.Warning());
}

TEST(WaypointMessageTest, TheCompassPointsFromHereTowardTheWaypoint)
{
    MemorySettingsStore settings;
    UnitFormatter units{settings};
    const GeoPoint here = GeoPoint::FromDegrees(46.0, 8.0);
    const GeoPoint north = ProjectPoint(here, 1.0, 0);
    Waypoint w;
    w.nLatitude = north.lat;
    w.nLongitude = north.lon;
    WaypointMessage m;
    m.Set(w, "路点", 0);
    WaypointMessage::Compass c = m.CompassValues(here, 93.7, units);
    EXPECT_EQ(c.heading, 93);
    EXPECT_TRUE(c.bearing == 0 || c.bearing >= 359) << c.bearing;
    EXPECT_FALSE(c.DistanceText().empty());
    EXPECT_NE(c.DistanceText().find(c.unit), std::string::npos);
}

TEST(MapSelectionTest, FoundIsCheckedForOneFoundCacheOnly)
{
    WaypointDatabase db;
    Waypoint found;
    found.strName = "A";
    found.nGeocacheState = 5;
    Waypoint open;
    open.strName = "B";
    const int a = db.Add(found);
    const int b = db.Add(open);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    MapSelection selection;
    EXPECT_FALSE(selection.FoundChecked(db));
    selection.Serials() = {a};
    EXPECT_TRUE(selection.FoundChecked(db));
    EXPECT_FALSE(selection.NeedsChoice());
    selection.Serials() = {a, b};
    EXPECT_TRUE(selection.NeedsChoice());
    EXPECT_FALSE(selection.FoundChecked(db));
    db.DeleteBySerial(a);
    selection.Prune(db);
    EXPECT_EQ(selection.Serials(), std::vector<int>{b});
}

TEST_F(MapPropertiesTest, TheRoadClassesGoToTheLayerAndTheirSetting)
{
    RoadLayer roads;
    MapProperties::Parts parts = Parts();
    parts.roads = &roads;
    MapProperties v = MapProperties::Read(parts, settings);
    EXPECT_EQ(v.roadClasses, kAllRoadClasses);
    v.roadClasses = kAllRoadClasses & ~(1u << 6) & ~(1u << 9);
    v.Apply(parts, settings);
    EXPECT_FALSE(roads.Shows(6));
    EXPECT_FALSE(roads.Shows(9));
    EXPECT_TRUE(roads.Shows(8));
    EXPECT_EQ(settings.GetInt("地图", "Road Classes", -1), static_cast<int>(v.roadClasses));
    // Without a road layer nothing about roads is written.
    MemorySettingsStore other;
    MapProperties::Read(Parts(), other).Apply(Parts(), other);
    EXPECT_EQ(other.GetInt("地图", "Road Classes", -1), -1);
}

TEST_F(MapPropertiesTest, TheAreaLineAndPointClassesGoToTheLayerAndBackFromTheirSettings)
{
    RoadLayer roads;
    MapProperties::Parts parts = Parts();
    parts.roads = &roads;
    MapProperties v = MapProperties::Read(parts, settings);
    EXPECT_EQ(v.areaClasses, kAllAreaClasses);
    EXPECT_EQ(v.lineClasses, kAllLineClasses);
    EXPECT_EQ(v.pointClasses, kAllPointClasses);
    const uint64_t before = roads.Revision();
    v.areaClasses = kAllAreaClasses & ~(1u << topo::kBuildings);
    v.lineClasses = 1u << topo::kRivers;
    v.pointClasses = 0;
    v.Apply(parts, settings);
    EXPECT_GT(roads.Revision(), before); // a kept picture of the map is stale
    EXPECT_EQ(roads.AreaMask(), v.areaClasses);
    EXPECT_EQ(roads.LineMask(), v.lineClasses);
    EXPECT_EQ(roads.PointMask(), 0u);
    EXPECT_EQ(settings.GetInt("地图", "Area Classes", -1), static_cast<int>(v.areaClasses));
    EXPECT_EQ(settings.GetInt("地图", "Line Classes", -1), 1);
    EXPECT_EQ(settings.GetInt("地图", "Point Classes", -1), 0);
    // A later run reads them back; bits beyond the classes are dropped.
    settings.SetInt("地图", "Point Classes", -1);
    RoadLayer again;
    again.LoadClassMask(settings);
    EXPECT_EQ(again.AreaMask(), v.areaClasses);
    EXPECT_EQ(again.LineMask(), 1u);
    EXPECT_EQ(again.PointMask(), kAllPointClasses);
}

} // namespace
} // namespace hw
