#include "waypoints/PositionAverager.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/AveragingStatusLayout.h"
#include "waypoints/WaypointDatabase.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hw {
namespace {

class PositionAveragerTest : public ::testing::Test {
protected:
    MemorySettingsStore store;
    PositionAverager averager{store};
};

// The status window's spread block starts three fifths of the position
// block's height down and steps right of the position lines it would cross;
// in a window wide enough it stays inside; it never covers a position line.
TEST(AveragingStatusLayoutTest, TheSpreadBlockClearsThePositionLines)
{
    const std::vector<TextExtent> lines = {{128, 12}, {136, 12}, {84, 12}};
    const TextExtent spread{104, 24};
    for (int width : {240, 320, 480, 800, 1920}) {
        const int height = 42; // three and a half lines
        const AveragingStatusLayout layout(width, height, lines, spread);
        ASSERT_EQ(layout.FirstLines().size(), 3u);
        EXPECT_EQ(layout.FirstLines()[0].left, 3);
        EXPECT_EQ(layout.FirstLines()[0].top, 1);
        const ScreenRect s = layout.SecondBlock();
        EXPECT_EQ(s.Width(), 104);
        for (const ScreenRect& line : layout.FirstLines())
            EXPECT_FALSE(s.Intersects(line)) << width;
        EXPECT_LE(s.bottom, height) << width;
        EXPECT_GE(s.top, 1);
        if (width >= 3 + 136 + 4 + 104) {
            EXPECT_LE(s.right, width) << width;
        }
        EXPECT_LE(s.left, 3 + 136 + 4) << width; // no further than it must
    }
    // In a window tall enough the least move is down, under the lines.
    const AveragingStatusLayout tall(800, 200, lines, spread);
    EXPECT_EQ(tall.SecondBlock().left, 3);
    EXPECT_GE(tall.SecondBlock().top, 37);
    EXPECT_LE(tall.SecondBlock().top, 40);
}

TEST_F(PositionAveragerTest, ThresholdLeavesOutPoorFixesButNotUnknownHdop)
{
    averager.Start();
    EXPECT_TRUE(averager.IsActive());
    EXPECT_FALSE(averager.AddFix(10, 20, 100, 6.0));
    EXPECT_TRUE(averager.AddFix(10, 20, 100, 5.0)); // at the threshold is good enough
    EXPECT_TRUE(averager.AddFix(10, 20, 100, 0));   // 0 means unknown
    EXPECT_EQ(averager.Samples(), 2);

    // The threshold is read in tenths, on every fix.
    store.SetInt("地图", "路点平均阈值", 70);
    EXPECT_TRUE(averager.AddFix(10, 20, 100, 6.0));
    EXPECT_FALSE(averager.AddFix(10, 20, 100, 7.1));
    store.SetInt("地图", "启用路点平均阈值", 0);
    EXPECT_TRUE(averager.AddFix(10, 20, 100, 50.0));
    EXPECT_EQ(averager.Samples(), 4);
    EXPECT_EQ(averager.Altitude().count, 4);
}

TEST_F(PositionAveragerTest, MeanDeviationAndOffsetDistance)
{
    averager.Start();
    averager.Start();
    averager.AddFix(10.0, 20.0, 100, 1);
    averager.AddFix(10.2, 20.0, 110, 1);
    EXPECT_DOUBLE_EQ(averager.Latitude().mean, 10.1);
    // The first square uses the mean after one fix (10.0), so it is 0.
    EXPECT_NEAR(averager.Latitude().deviation, std::sqrt(0.01 / 2), 1e-12);
    EXPECT_DOUBLE_EQ(averager.Longitude().deviation, 0);
    EXPECT_DOUBLE_EQ(averager.Altitude().mean, 105);

    GeoPoint mean = averager.AveragedPosition();
    EXPECT_EQ(mean.lat, 10100000);
    EXPECT_EQ(mean.lon, 20000000);
    GeoPoint offset = averager.OffsetPosition();
    EXPECT_EQ(offset.lat, 10170710);
    EXPECT_EQ(offset.lon, 20000000);
    EXPECT_DOUBLE_EQ(averager.DeviationDistanceKm(), DistanceKmMicro(mean, offset));
    EXPECT_NEAR(averager.DeviationDistanceKm(), 7.87, 0.01);

    // Start again begins from nothing.
    averager.Start();
    EXPECT_EQ(averager.Samples(), 0);
    EXPECT_DOUBLE_EQ(averager.Latitude().sum, 0);
}

TEST_F(PositionAveragerTest, StatusTextsFollowTheUnitSettings)
{
    averager.Start();
    averager.AddFix(-33.5, 8.25, 100, 1);
    averager.AddFix(-33.5, 8.25, 100, 1);
    PositionFormatter positions(store);
    UnitFormatter units(store);
    EXPECT_EQ(averager.PositionStatusText(positions, units),
              "Avg Lat:\tS 33° 30.0000\nAvg Lon:\tE 008° 15.0000\nAvg Alt:\t328.08   ft     ");
    EXPECT_EQ(averager.DeviationStatusText(units), "Deviation:\t0.00 ft\nSamples:\t2");
    store.SetInt("设置", "距离-速度单位", 2);
    averager.AddFix(-33.5001, 8.25, 100, 1);
    // One sample 0.0001° south: deviation 0.0000385°; the mean -33.50003333 and
    // the offset -33.49999484 truncate 39 microdegrees apart, 4.34 m.
    EXPECT_EQ(averager.DeviationStatusText(units), "Deviation:\t4.34 m\nSamples:\t3");
}

TEST_F(PositionAveragerTest, FinishMakesANamedRecordAtTheMean)
{
    WaypointDatabase db;
    Waypoint taken;
    taken.strName = "WPT 00000";
    db.Add(taken);

    averager.Start();
    Waypoint empty = averager.Finish(db); // no fix: the means of nothing are 0
    EXPECT_FALSE(averager.IsActive());
    EXPECT_EQ(empty.nLatitude, 0);
    EXPECT_EQ(empty.nLongitude, 0);
    EXPECT_EQ(empty.strName, "WPT 00001");

    averager.Start();
    averager.AddFix(47.1234567, -122.7654321, 12.5, 1);
    Waypoint w = averager.Finish(db);
    EXPECT_EQ(w.nLatitude, 47123456); // truncated toward zero
    EXPECT_EQ(w.nLongitude, -122765432);
    EXPECT_FLOAT_EQ(w.fAltitude, 12.5f);
    EXPECT_EQ(w.strURL, Waypoint().strURL); // otherwise a default record
    // Finishing does not store it: the editor's OK does.
    EXPECT_EQ(db.Count(), 1);

    averager.Start();
    averager.AddFix(1, 1, 1, 1);
    averager.Cancel();
    EXPECT_FALSE(averager.IsActive());
    EXPECT_EQ(db.Count(), 1);
    // A fix after the end is not averaged.
    EXPECT_FALSE(averager.AddFix(2, 2, 2, 1));
    EXPECT_EQ(averager.Samples(), 1);
}

} // namespace
} // namespace hw
