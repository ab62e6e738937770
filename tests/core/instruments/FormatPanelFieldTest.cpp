#include "instruments/FormatPanelField.h"
#include "TestClock.h"
#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "base/UtcTime.h"
#include "instruments/PanelField.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

#include <gtest/gtest.h>

namespace hw {
namespace {

struct Panel : ::testing::Test {
    MemorySettingsStore settings;
    UnitFormatter units{settings};
    test::ManualClock clock{1110888197}; // 2005-03-15 12:03:17 UTC
    TripComputer trip{clock};
    FixedBatteryStatus battery;
    FixedTimeZoneBias zone{-480}; // eight hours east of Greenwich
    PanelReadings readings;

    PanelFieldTexts Show(int type)
    {
        PanelFieldTexts t;
        FormatPanelField(type, {trip, readings, units, clock, battery, zone}, t);
        return t;
    }
    void Metric()
    {
        settings.SetInt("设置", "距离-速度单位", 2);
        settings.SetInt("设置", "AltitudeElevationUnits", 1);
    }
};

TEST_F(Panel, NamesLabelsAndUnknownTypes)
{
    ASSERT_EQ(PanelFieldNames().size(), 36u);
    EXPECT_EQ(PanelFieldNames()[0], "空白");
    EXPECT_EQ(PanelFieldNames()[7], "交叉轨迹错误");
    EXPECT_EQ(PanelFieldNames()[30], "ETA (12小时)");
    EXPECT_EQ(Show(kFieldCrossTrackError).label, "轨迹错误");
    EXPECT_EQ(Show(kFieldOdometer).label, "里程表");
    PanelFieldTexts blank = Show(kFieldBlank);
    EXPECT_EQ(blank.label + blank.value + blank.unit + blank.subText, "");
    for (int type : {36, -1}) {
        PanelFieldTexts t = Show(type);
        EXPECT_EQ(t.label, "???");
        EXPECT_EQ(t.value, "???");
        EXPECT_EQ(t.unit, "??");
        EXPECT_EQ(t.subText, std::to_string(type));
    }
}

TEST_F(Panel, TripDurationSwitchesUnitsAtTheHourAndTheDay)
{
    struct Case {
        int seconds;
        const char* value;
        const char* unit;
    };
    for (Case c :
         {Case{3599, "59:59", "MM:SS"}, Case{3600, "01:00", "HH:MM"}, Case{86399, "23:59", "HH:MM"},
          Case{90061, "1", "天"}, Case{2000000000, "9999", "天"}, Case{-5, "00:00", "MM:SS"}}) {
        trip.Reset();
        clock.Advance(c.seconds);
        PanelFieldTexts t = Show(kFieldTripDuration);
        EXPECT_EQ(t.value, c.value) << c.seconds;
        EXPECT_EQ(t.unit, c.unit) << c.seconds;
        clock.Set(1110888197);
    }
}

TEST_F(Panel, ClocksInLocalTwelveHourAndUtc)
{
    PanelFieldTexts t = Show(kFieldTime24);
    EXPECT_EQ(t.value, "20:03");
    EXPECT_EQ(t.subText, "20:03:17");
    t = Show(kFieldTime12);
    EXPECT_EQ(t.value, "08:03");
    EXPECT_EQ(t.unit, "PM");
    EXPECT_EQ(t.subText, "08:03:17");
    t = Show(kFieldTimeUtc);
    EXPECT_EQ(t.value, "12:03");
    EXPECT_EQ(t.subText, "12:03:17");
    clock.Set(1110888197 - 20 * 3600); // local midnight hour
    EXPECT_EQ(Show(kFieldTime12).value, "12:03");
    EXPECT_EQ(Show(kFieldTime12).unit, "AM");
    clock.Set(1110888197 - 8 * 3600); // local noon hour
    EXPECT_EQ(Show(kFieldTime12).value, "12:03");
    EXPECT_EQ(Show(kFieldTime12).unit, "PM");
}

TEST_F(Panel, SystemZoneFollowsTz)
{
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    EXPECT_EQ(SystemTimeZoneBias().BiasMinutes(1110888197), -480);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(SystemTimeZoneBias().BiasMinutes(1110888197), 0);
    if (old)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST_F(Panel, NavigationFieldsShowDashesWhenNotNavigating)
{
    readings.targetName = "GC7FA4";
    readings.bearingToTarget = 210;
    EXPECT_EQ(Show(kFieldBearing).value, "0.0°");
    EXPECT_EQ(Show(kFieldBearingSymbol).value, "--");
    EXPECT_EQ(Show(kFieldEte).value, "---");
    EXPECT_EQ(Show(kFieldEta).unit, "---");
    EXPECT_EQ(Show(kFieldEta12).value, "---");
    readings.navigating = true;
    EXPECT_EQ(Show(kFieldBearing).value, "210.0°");
    EXPECT_EQ(Show(kFieldBearingSymbol).value, "SW");
    EXPECT_EQ(Show(kFieldBearingSymbol).subText, "GC7FA4");
    readings.courseDegrees = 337.5;
    EXPECT_EQ(Show(kFieldCourseSymbol).value, "N");
    readings.courseDegrees = 337.4;
    EXPECT_EQ(Show(kFieldCourseSymbol).value, "NW");
}

TEST_F(Panel, EteAndEtaAcrossTheDay)
{
    // Drive the trip computer toward a target 1 km north at 10 m/s.
    Waypoint target;
    target.nLatitude = 47508983; // about 1 km north
    target.nLongitude = 8500000;
    double time = 86390; // the samples cross midnight
    for (int i = 0; i <= 4; ++i) {
        double lat = 47.5 + 0.0000898 * i;
        trip.Update(std::fmod(time + i, 86400), target, lat, 8.5, 1, 1, 20, 500);
        clock.Advance(1);
    }
    readings.navigating = true;
    PanelFieldTexts t = Show(kFieldEte);
    EXPECT_EQ(t.unit, "MM:SS");
    EXPECT_EQ(t.value, FormatString("%02d:%02d", static_cast<int>(trip.Ete()) / 60,
                                    static_cast<int>(trip.Ete()) % 60));
    UtcDateTime eta = UtcFromSeconds(trip.Eta() + 8 * 3600);
    EXPECT_EQ(Show(kFieldEta).value, FormatString("%02d:%02d", eta.hour, eta.minute));
    EXPECT_EQ(Show(kFieldEta).unit, "HH:MM");
    EXPECT_EQ(Show(kFieldEta12).unit, "(PM)");
}

// Right after a goto starts there is no estimate yet: ETE and ETA read as
// unknown, not "00:00" and a 1970 time; a new target starts unknown again.
TEST_F(Panel, EteAndEtaAreUnknownUntilTheFirstEstimate)
{
    Waypoint target;
    target.nLatitude = 47508983;
    target.nLongitude = 8500000;
    readings.navigating = true;
    const auto unknown = [&] {
        return Show(kFieldEte).value == "---" && Show(kFieldEte).unit == "---" &&
               Show(kFieldEta).value == "---" && Show(kFieldEta).unit == "---" &&
               Show(kFieldEta12).value == "---";
    };
    EXPECT_TRUE(unknown());
    int i = 0;
    const auto step = [&](const Waypoint& to) {
        trip.Update(36000 + i, to, 47.5 + 0.0000898 * i, 8.5, 1, 1, 20, 500);
        clock.Advance(1);
        ++i;
    };
    for (int n = 0; n < 3; ++n) {
        step(target);
        EXPECT_TRUE(unknown()) << "update " << n;
    }
    step(target);
    EXPECT_EQ(Show(kFieldEte).unit, "MM:SS");
    EXPECT_NE(Show(kFieldEta).value, "---");

    Waypoint other = target;
    other.nLongitude += 5000;
    step(other);
    EXPECT_TRUE(unknown());
    for (int n = 0; n < 3; ++n)
        step(other);
    EXPECT_FALSE(unknown());
}

TEST_F(Panel, UnitsAndPrecision)
{
    readings.speedKnots = 5; // 5.75 mph
    EXPECT_EQ(Show(kFieldSpeed).value, "5.75");
    EXPECT_EQ(Show(kFieldSpeed).unit, "MPH");
    readings.altitudeMetres = 1234.5; // 4050 ft
    EXPECT_EQ(Show(kFieldAltitude).value, "4050");
    EXPECT_EQ(Show(kFieldAltitude).unit, "ft");
    Metric();
    EXPECT_EQ(Show(kFieldSpeed).value, "9.26");
    EXPECT_EQ(Show(kFieldAltitude).value, "1234");
    readings.altitudeMetres = 999.94;
    EXPECT_EQ(Show(kFieldAltitude).value, "999.9");
    readings.distanceToTargetKm = 0.25;
    EXPECT_EQ(Show(kFieldDistanceToWaypoint).value, "250");
    EXPECT_EQ(Show(kFieldDistanceToWaypoint).unit, "m");
    readings.distanceToTargetKm = 12.345;
    EXPECT_EQ(Show(kFieldDistanceToWaypoint).value, "12.3");
    EXPECT_EQ(Show(kFieldDistanceToWaypoint).unit, "km");
    // Cross-track error keeps its sign: 0.001 rad is 6.37 km.
    readings.crossTrackError = -0.001;
    EXPECT_EQ(Show(kFieldCrossTrackError).value, "-6.37");
    readings.crossTrackError = 0.00001; // 63.7 m
    EXPECT_EQ(Show(kFieldCrossTrackError).value, "63.7");
    EXPECT_EQ(Show(kFieldCrossTrackError).unit, "m");
    // Nothing that is not a number reaches the screen.
    readings.speedKnots = std::numeric_limits<double>::quiet_NaN();
    readings.courseDegrees = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Show(kFieldSpeed).value, "---");
    EXPECT_EQ(Show(kFieldCourse).value, "---");
}

TEST_F(Panel, BatteryTextsAndSysfs)
{
    EXPECT_EQ(Show(kFieldBattery).value, "---");
    EXPECT_EQ(Show(kFieldBattery).subText, "未知状态");
    battery.Set({87, kBatteryHigh});
    EXPECT_EQ(Show(kFieldBattery).value, "87%");
    EXPECT_EQ(Show(kFieldBattery).subText, "电池电量充足");
    battery.Set({3, kBatteryCritical | kBatteryCharging});
    EXPECT_EQ(Show(kFieldBattery).subText, "失败");

    test::TempDir dir;
    EXPECT_EQ(SysfsBatteryStatus(dir.Root()).Read().flag, kBatteryNone);
    std::filesystem::create_directories(dir.Path("AC"));
    test::WriteFileBytes(dir.Path("AC/type"), "Mains\n");
    std::filesystem::create_directories(dir.Path("BAT0"));
    test::WriteFileBytes(dir.Path("BAT0/type"), "Battery\n");
    test::WriteFileBytes(dir.Path("BAT0/capacity"), "14\n");
    test::WriteFileBytes(dir.Path("BAT0/status"), "Discharging\n");
    test::WriteFileBytes(dir.Path("BAT0/capacity_level"), "Low\n");
    BatteryState s = SysfsBatteryStatus(dir.Root()).Read();
    EXPECT_EQ(s.chargePercent, 14);
    EXPECT_EQ(s.flag, kBatteryLow);
    test::WriteFileBytes(dir.Path("BAT0/status"), "Charging\n");
    EXPECT_EQ(SysfsBatteryStatus(dir.Root()).Read().flag, kBatteryCharging);
}

} // namespace
} // namespace hw
