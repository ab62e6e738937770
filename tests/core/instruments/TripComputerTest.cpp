#include "instruments/TripComputer.h"
#include "TestClock.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "instruments/FormatPanelField.h"
#include "instruments/MovingAverage.h"
#include "instruments/PanelField.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace hw {
namespace {

constexpr double kLat = 47.5, kLon = 8.5;

// Degrees of latitude for a distance along a meridian.
double LatPlusKm(double km)
{
    return kLat + km / (kEarthRadiusKm * kRadiansPerDegree);
}

struct Trip : ::testing::Test {
    test::ManualClock clock{1110888197};
    TripComputer trip{clock};
    Waypoint target;
    double time = 43200;

    // One valid fix at a distance north of the start, one second later.
    void Fix(double km, double alt = 500, double speed = 3, int navigating = 0)
    {
        trip.Update(time, target, LatPlusKm(km), kLon, 1, navigating, speed, alt);
        time += 1;
        clock.Advance(1);
    }
};

TEST(MovingAverageTest, MeanOfTheLastValuesOnly)
{
    MovingAverage m(3);
    EXPECT_EQ(m.Mean(), 0);
    m.Add(3);
    m.Add(6);
    EXPECT_EQ(m.Mean(), 4.5);
    m.Add(9);
    m.Add(12); // drops the 3
    EXPECT_EQ(m.Mean(), 9);
    m.Clear();
    EXPECT_EQ(m.Count(), 0u);
    EXPECT_EQ(m.Mean(), 0);
}

TEST_F(Trip, OdometerCountsFromTheSecondFixAndFiltersJitter)
{
    Fix(0);
    EXPECT_EQ(trip.Odometer(), 0);
    Fix(0.003); // 3 m: filtered, reference stays
    EXPECT_EQ(trip.Odometer(), 0);
    Fix(0.006); // 6 m from the reference: counted
    EXPECT_NEAR(trip.Odometer(), 0.006, 1e-9);
    Fix(1.5); // a jump of more than 1 km: not walked
    EXPECT_NEAR(trip.Odometer(), 0.006, 1e-9);
    Fix(1.6);
    EXPECT_NEAR(trip.Odometer(), 0.106, 1e-9);

    // A fix that is not valid: the next valid one counts nothing, the one
    // after counts the way from the last accepted position.
    trip.Update(time, target, LatPlusKm(1.7), kLon, 0, 0, 3, 500);
    Fix(1.8);
    EXPECT_NEAR(trip.Odometer(), 0.106, 1e-9);
    Fix(1.9);
    EXPECT_NEAR(trip.Odometer(), 0.406, 1e-9);

    trip.Reset();
    trip.SetPositionFilter(0);
    Fix(0);
    Fix(0.003);
    Fix(0.006);
    EXPECT_NEAR(trip.Odometer(), 0.006, 1e-9); // every small step counts
}

TEST_F(Trip, GradeAfterAHundredMetresWithAscentAndDescent)
{
    Fix(0, 500);
    Fix(0.05, 502);
    EXPECT_EQ(trip.CurrentGrade(), 0); // not yet 100 m
    Fix(0.1002, 505);                  // 5 m over 100.2 m
    EXPECT_NEAR(trip.CurrentGrade(), 5.0, 0.02);
    EXPECT_NEAR(trip.TotalAscent(), 5, 1e-9);
    Fix(0.3004, 495); // 10 m down over 200.2 m
    EXPECT_NEAR(trip.CurrentGrade(), -5.0, 0.02);
    EXPECT_NEAR(trip.TotalDescent(), -10, 1e-9);
    EXPECT_NEAR(trip.MaximumGrade(), 5.0, 0.02);
    EXPECT_NEAR(trip.MinimumGrade(), -5.0, 0.02);
    EXPECT_NEAR(trip.AverageGrade(), 0, 0.02);
    EXPECT_NEAR(trip.AverageAscendingGrade(), 5, 0.02);
    EXPECT_NEAR(trip.AverageDescendingGrade(), -5, 0.02);

    MemorySettingsStore settings;
    UnitFormatter units(settings);
    test::ManualClock c;
    FixedBatteryStatus battery;
    FixedTimeZoneBias zone;
    PanelReadings readings;
    PanelFieldContext context{trip, readings, units, c, battery, zone};
    PanelFieldTexts t;
    FormatPanelField(kFieldMaximumGrade, context, t);
    EXPECT_EQ(t.value, "5.0%");
    EXPECT_EQ(t.unit, "上");
    FormatPanelField(kFieldGrade, context, t);
    EXPECT_EQ(t.value, "5.0%");
    EXPECT_EQ(t.unit, "下");
}

TEST_F(Trip, AltitudeExtremesIgnoreZeroAndSpeedsAverage)
{
    Fix(0, 0, 2);
    EXPECT_EQ(trip.MaximumAltitude(), 0);
    Fix(0.01, 120, 4);
    Fix(0.02, 0, 6); // no altitude: never the minimum
    Fix(0.03, 80, 4);
    Fix(0.04, 150, 4);
    EXPECT_EQ(trip.MinimumAltitude(), 80);
    EXPECT_EQ(trip.MaximumAltitude(), 150);
    EXPECT_EQ(trip.MaximumSpeed(), 6);
    EXPECT_EQ(trip.AverageSpeed(), 4);
    // Unknown numbers from a receiver leave every statistic a number.
    double nan = std::numeric_limits<double>::quiet_NaN();
    trip.Update(time, target, LatPlusKm(0.05), kLon, 1, 0, nan, nan);
    trip.Update(time, target, nan, kLon, 1, 0, 3, 100);
    EXPECT_TRUE(std::isfinite(trip.AverageSpeed()));
    EXPECT_TRUE(std::isfinite(trip.Odometer()));
    EXPECT_TRUE(std::isfinite(trip.CurrentGrade()));
}

TEST_F(Trip, TimeEnRouteTowardTheTarget)
{
    GeoPoint t = GeoPoint::FromDegrees(LatPlusKm(1.0), kLon);
    target.nLatitude = t.lat;
    target.nLongitude = t.lon;
    for (int i = 0; i <= 10; ++i)
        Fix(0.01 * i, 500, 20, 1); // 10 m per second toward a target 1 km away
    // The first fix only sets the reference and the first sample has no
    // previous distance: nine closing samples of 0, 10, ... 10 m, 900 m left.
    EXPECT_NEAR(trip.Ete(), 0.9 / (0.08 / 9 * 3600) * 3600, 0.5);
    EXPECT_EQ(trip.Eta(), clock.NowSeconds() - 1 + static_cast<int32_t>(trip.Ete()));

    // Walking away: ETE -1, the ETA keeps its value.
    int32_t eta = trip.Eta();
    Fix(0.09, 500, 20, 1);
    EXPECT_EQ(trip.Ete(), -1);
    EXPECT_EQ(trip.Eta(), eta);
}

TEST_F(Trip, ASampleAcrossMidnightIsSkipped)
{
    GeoPoint t = GeoPoint::FromDegrees(LatPlusKm(1.0), kLon);
    target.nLatitude = t.lat;
    target.nLongitude = t.lon;
    time = 86394.5;
    for (int i = 0; i <= 4; ++i)
        Fix(0.01 * i, 500, 20, 1);
    double before = trip.Ete();
    ASSERT_GT(before, 0);
    time = 0.5; // 86399 s after the previous fix as the time of day reads
    Fix(0.05, 500, 20, 1);
    EXPECT_EQ(trip.Ete(), before);
    Fix(0.06, 500, 20, 1);
    EXPECT_NE(trip.Ete(), before);
    EXPECT_GT(trip.Ete(), 0);
}

TEST_F(Trip, ACrawlTowardTheTargetDoesNotOverflowTheEta)
{
    target.nLatitude = -40000000; // about 9700 km south
    target.nLongitude = 8500000;
    trip.SetPositionFilter(0);
    for (int i = 0; i < 30; ++i)
        Fix(0, 500, 0, 1);     // standing still fills the closing average with 0
    Fix(-0.000112, 500, 0, 1); // then a step of one microdegree
    // The arrival lies beyond the 32-bit time.
    EXPECT_GT(trip.Ete() + static_cast<double>(clock.NowSeconds()), 2147483647.0);
    EXPECT_EQ(trip.Eta(), std::numeric_limits<int32_t>::max());
}

} // namespace
} // namespace hw
