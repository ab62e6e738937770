#include "instruments/SatelliteViewRows.h"
#include "base/MemorySettingsStore.h"
#include "gps/GpsFix.h"
#include "instruments/SatelliteSnapshot.h"

#include <gtest/gtest.h>

using namespace hw;

TEST(SatelliteViewRowsTest, PositionAndPrecisionTextsFollowTheSettings)
{
    MemorySettingsStore settings;
    GpsFix fix;
    fix.ggaLatitude = -33.5;
    fix.ggaLongitude = 151.25;
    fix.altitude = 100;
    fix.pdop = 2.04;
    fix.gsaHdop = 1.06;
    fix.vdop = 1.5;
    fix.satellitesUsed = 7;
    fix.satellitesInView = 11;

    auto rows = SatelliteViewRows(SatellitePageLayout::kPosition, fix, settings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].label, "纬度");
    EXPECT_EQ(rows[0].value.rfind("S", 0), 0u) << rows[0].value;
    EXPECT_EQ(rows[1].label, "经度");
    EXPECT_EQ(rows[2].label, "海拔");
    EXPECT_EQ(rows[2].value, "328.1 ft"); // feet by default
    settings.SetInt("设置", "AltitudeElevationUnits", 1);
    EXPECT_EQ(SatelliteViewRows(0, fix, settings)[2].value, "100.0 m");

    rows = SatelliteViewRows(SatellitePageLayout::kPrecision, fix, settings);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].label, "HDOP");
    EXPECT_EQ(rows[0].value, "1.1"); // the GSA HDOP, not the GGA one
    EXPECT_EQ(rows[1].value, "1.5");
    EXPECT_EQ(rows[2].label, "PDOP");
    EXPECT_EQ(rows[2].value, "2.0");
    EXPECT_EQ(rows[3].column, SatellitePageLayout::Column::Right);
    EXPECT_EQ(rows[3].label, "已跟踪卫星");
    EXPECT_EQ(rows[3].value, "7");
    EXPECT_EQ(rows[4].label, "可见卫星");
    EXPECT_EQ(rows[4].value, "11");

    EXPECT_TRUE(SatelliteViewRows(SatellitePageLayout::kSkyPlot, fix, settings).empty());
}

TEST(SatelliteSnapshotTest, OnlyLiveEntriesAndAtMostThirtyTwo)
{
    GpsFix fix;
    for (std::size_t i = 0; i < GpsFix::kSatelliteSlots; ++i)
        fix.satellites[i] = {static_cast<uint16_t>(i + 1), 30, 1, 10, 20};
    // A group that shrank to 5 leaves older entries behind: not shown.
    fix.satellitesInView = 5;
    SatelliteSnapshot s = SatelliteSnapshot::Take(fix);
    EXPECT_EQ(s.inView, 5);
    EXPECT_EQ(s.entries[4].prn, 5);
    EXPECT_TRUE(s.entries[4].used);
    EXPECT_EQ(s.entries[5].prn, 0);
    // More in view than the table holds: the first 32, nothing past them.
    fix.satellitesInView = 40;
    s = SatelliteSnapshot::Take(fix);
    EXPECT_EQ(s.entries[31].prn, 32);
    fix.satellitesInView = -2;
    EXPECT_EQ(SatelliteSnapshot::Take(fix).inView, 0);
    EXPECT_EQ(SatelliteSnapshot::Take(fix).entries[0].prn, 0);
}
