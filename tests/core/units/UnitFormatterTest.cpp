#include "units/UnitFormatter.h"
#include "base/MemorySettingsStore.h"
#include "units/SmoothingFilter.h"
#include "units/UnitsDialogModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hw {
namespace {

class UnitFormatterTest : public ::testing::Test {
protected:
    void Units(int distanceSpeed, int altitude = 0)
    {
        store.SetInt("设置", "距离-速度单位", distanceSpeed);
        store.SetInt("设置", "AltitudeElevationUnits", altitude);
    }
    MemorySettingsStore store;
    UnitFormatter f{store};
};

TEST_F(UnitFormatterTest, AutomaticDistanceSwitchesAtQuarterMileAndOneKilometre)
{
    Units(0);
    EXPECT_DOUBLE_EQ(f.AutoDistanceFromMiles(0.25), 0.25);
    EXPECT_EQ(f.AutoDistanceLabel(0.25), "mi");
    EXPECT_NEAR(f.AutoDistanceFromMiles(0.2499), 1319.472, 1e-9);
    EXPECT_EQ(f.AutoDistanceLabel(0.2499), "ft");
    EXPECT_EQ(f.AutoDistanceLabel(-0.3), "mi"); // the magnitude decides

    Units(2);
    EXPECT_LT(0.62137 * 1.609344, 1.0);
    EXPECT_EQ(f.AutoDistanceLabel(0.62137), "m");
    EXPECT_NEAR(f.AutoDistanceFromMiles(0.62137), 0.62137 * 1609.344, 1e-9);
    EXPECT_EQ(f.AutoDistanceLabel(0.6214), "km");
    EXPECT_NEAR(f.AutoDistanceFromMiles(0.6214), 0.6214 * 1.609344, 1e-12);

    Units(1);
    EXPECT_NEAR(f.AutoDistanceFromMiles(0.001), 0.000868976241901, 1e-15);
    EXPECT_EQ(f.AutoDistanceLabel(0.001), "nmi");

    Units(7);
    EXPECT_EQ(f.AutoDistanceFromMiles(3), 0);
    EXPECT_EQ(f.AutoDistanceLabel(3), "");
}

TEST_F(UnitFormatterTest, ProximityEnteredInNauticalRoundTrips)
{
    Units(1);
    double storedKm = f.MetresFromSmallDistance(0.5) * 0.001;
    EXPECT_DOUBLE_EQ(storedKm, 0.926);
    EXPECT_NEAR(f.SmallDistanceFromMetres(storedKm * 1000), 0.5, 1e-12);
    EXPECT_EQ(f.SmallDistanceUnitLabel(), "nmi");
}

TEST_F(UnitFormatterTest, AltitudeAndVerticalSpeed)
{
    Units(0, 0);
    EXPECT_DOUBLE_EQ(f.AltitudeFromMetres(100), 328.083989501);
    EXPECT_EQ(f.AltitudeText(100), "328.08   ft     ");
    EXPECT_NEAR(f.VerticalSpeedFromMetresPerMinute(60), 196.8503937006, 1e-9);
    EXPECT_EQ(f.VerticalSpeedUnitLabel(), "X100 ft per min");

    Units(0, 1);
    EXPECT_EQ(f.AltitudeText(5), "5.00     m     ");
    EXPECT_DOUBLE_EQ(f.VerticalSpeedFromMetresPerMinute(60), 1.0);
    EXPECT_EQ(f.VerticalSpeedUnitLabel(), "m/s");

    Units(0, 5);
    EXPECT_EQ(f.AltitudeFromMetres(100), -1.0);
    EXPECT_EQ(f.AltitudeUnitLabel(), "err");
    EXPECT_EQ(f.VerticalSpeedFromMetresPerMinute(60), -1.0);
    std::string label = "old";
    EXPECT_EQ(f.AltitudeFactorAndLabel(label), 1.0);
    EXPECT_EQ(label, "err");
    label = "kept";
    EXPECT_EQ(f.PlotVerticalSpeedFactorAndLabel(label), -1.0);
    EXPECT_EQ(label, "kept");
}

TEST_F(UnitFormatterTest, SpeedAndLargeDistanceByUnitSystem)
{
    struct Row {
        int unit;
        double speedOf10Knots;
        const char* speedLabel;
        double largeOf10Km;
        const char* largeLabel;
        const char* smallLabel;
    };
    const Row rows[] = {
        {0, 11.5077944802, "MPH", 6.21371192237, "mi", "ft"},
        {1, 10, "KT", 5.39956803456, "nmi", "nmi"},
        {2, 18.52, "Km/h", 10, "km", "m"},
        {3, 0, "", 10, "", "NA"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.unit);
        Units(r.unit);
        EXPECT_NEAR(f.SpeedFromKnots(10), r.speedOf10Knots, 1e-9);
        EXPECT_EQ(f.SpeedUnitLabel(), r.speedLabel);
        EXPECT_NEAR(f.LargeDistanceFromKm(10), r.largeOf10Km, 1e-9);
        EXPECT_NEAR(f.KmFromLargeDistance(f.LargeDistanceFromKm(10)), 10, 1e-6);
        EXPECT_EQ(f.LargeDistanceUnitLabel(), r.largeLabel);
        EXPECT_EQ(f.SmallDistanceUnitLabel(), r.smallLabel);
    }
    Units(3);
    EXPECT_EQ(f.SpeedFactor(), 1.852);
    EXPECT_EQ(f.SmallDistanceFactor(), 1.0);
    std::string label = "kept";
    EXPECT_EQ(f.AccelerationFactorAndLabel(label), 0.0);
    EXPECT_EQ(label, "kept");
}

TEST_F(UnitFormatterTest, SettingChangeTakesEffectAtTheNextCall)
{
    Units(0);
    EXPECT_EQ(f.SpeedUnitLabel(), "MPH");
    Units(2);
    EXPECT_EQ(f.SpeedUnitLabel(), "Km/h");
}

TEST(SmoothingFilterTest, FollowsTheFirstOrderRule)
{
    SmoothingFilter s;
    EXPECT_DOUBLE_EQ(s.Alpha(), 0.95);
    EXPECT_DOUBLE_EQ(s.SetTimeConstant(0.1, 0), 0.95); // tau 0 keeps alpha
    EXPECT_DOUBLE_EQ(s.SetTimeConstant(0.1, 0.5), std::exp(-0.2));
    s.Reset(10);
    double y = s.Update(0);
    EXPECT_DOUBLE_EQ(y, 10 * std::exp(-0.2));
    EXPECT_DOUBLE_EQ(s.Output(), y);
    EXPECT_DOUBLE_EQ(s.Update(0), 10 * std::exp(-0.4));
}

TEST(UnitsDialogModelTest, StoresComboIndexesAndShowsOutOfRangeAsFirstItem)
{
    MemorySettingsStore store;
    UnitsDialogModel::Store(store, {2, 1, 1});
    EXPECT_EQ(store.GetInt("设置", "距离-速度单位", -9), 2);
    EXPECT_EQ(store.GetInt("设置", "AltitudeElevationUnits", -9), 1);
    EXPECT_EQ(store.GetInt("设置", "PositionFormat", -9), 1);
    auto c = UnitsDialogModel::Load(store);
    EXPECT_EQ(c.distanceSpeed, 2);
    store.SetInt("设置", "AltitudeElevationUnits", 5);
    EXPECT_EQ(UnitsDialogModel::Load(store).altitude, 0);
}

} // namespace
} // namespace hw
