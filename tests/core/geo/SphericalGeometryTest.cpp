#include "geo/SphericalGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace hw {
namespace {

TEST(SphericalGeometryTest, BearingTowardTheFourNeighbours)
{
    GeoPoint here = GeoPoint::FromDegrees(47.0, 8.0);
    EXPECT_NEAR(BearingToward(GeoPoint::FromDegrees(48.0, 8.0), here), 0, 1e-9);
    EXPECT_NEAR(BearingToward(GeoPoint::FromDegrees(47.0, 9.0), here), 90, 0.5);
    EXPECT_NEAR(BearingToward(GeoPoint::FromDegrees(46.0, 8.0), here), 180, 1e-9);
    EXPECT_NEAR(BearingToward(GeoPoint::FromDegrees(47.0, 7.0), here), 270, 0.5);
    EXPECT_EQ(BearingToward(here, here), 180);
}

TEST(SphericalGeometryTest, OneDegreeOfLatitudeIsEarthRadiusTimesPiOver180)
{
    EXPECT_NEAR(DistanceKm(10, 20, 11, 20), 111.3195, 1e-4);
    EXPECT_NEAR(DistanceKmMicro(GeoPoint::FromDegrees(10, 20), GeoPoint::FromDegrees(11, 20)),
                111.3195, 1e-4);
    EXPECT_NEAR(CentralAngle(GeoPoint::FromDegrees(0, 0), GeoPoint::FromDegrees(0, 90)),
                3.141592653589793 / 2, 1e-12);
    EXPECT_EQ(DistanceKm(1, 2, 1, 2), 0);
}

TEST(SphericalGeometryTest, NearlyAntipodalPointsNeverGiveNaN)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> lat(-90000000, 90000000);
    std::uniform_int_distribution<int32_t> lon(-180000000, 180000000);
    std::uniform_int_distribution<int32_t> jitter(-2, 2);
    for (int i = 0; i < 20000; ++i) {
        GeoPoint a{lat(rng), lon(rng), 0};
        GeoPoint b{-a.lat + jitter(rng),
                   a.lon > 0 ? a.lon - 180000000 + jitter(rng) : a.lon + 180000000 + jitter(rng),
                   0};
        double d = DistanceKmMicro(a, b);
        double c = CentralAngle(a, b);
        double brg = BearingToward(a, b);
        ASSERT_FALSE(std::isnan(d) || std::isnan(c) || std::isnan(brg)) << i;
        ASSERT_LE(d, kEarthRadiusKm * 3.1415927);
        ASSERT_GE(d, 0);
        ASSERT_GE(brg, 0);
        ASSERT_LE(brg, 360);
    }
    EXPECT_NEAR(DistanceKm(0, 0, 0, 180), kEarthRadiusKm * 3.141592653589793, 1e-6);
}

TEST(SphericalGeometryTest, ProjectPointInvertsDistanceAndBearing)
{
    GeoPoint start = GeoPoint::FromDegrees(47.3, 8.5, 500);
    GeoPoint same = ProjectPoint(start, 0, 123);
    EXPECT_NEAR(same.lat, start.lat, 1);
    EXPECT_NEAR(same.lon, start.lon, 1);
    EXPECT_EQ(same.alt, 0);

    for (double course : {0.0, 45.0, 90.0, 200.0, 300.0}) {
        GeoPoint end = ProjectPoint(start, 2.5, course);
        EXPECT_NEAR(DistanceKmMicro(start, end), 2.5, 0.01) << course;
        // BearingToward(target, here) is the course from here to target.
        double brg = BearingToward(end, start);
        double diff = std::fabs(std::fmod(brg - course + 540, 360) - 180);
        EXPECT_LT(diff, 0.1) << course;
    }
}

TEST(SphericalGeometryTest, ProjectPointAcrossTheAntimeridianStaysInRange)
{
    for (double lonDeg : {179.99, -179.99}) {
        GeoPoint start = GeoPoint::FromDegrees(10, lonDeg);
        for (double course : {90.0, 270.0}) {
            GeoPoint end = ProjectPoint(start, 5, course);
            EXPECT_GE(end.lon, -180000000) << lonDeg << " " << course;
            EXPECT_LE(end.lon, 180000000) << lonDeg << " " << course;
            EXPECT_NEAR(DistanceKmMicro(start, end), 5, 0.01);
        }
    }
}

} // namespace
} // namespace hw
