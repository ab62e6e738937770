#include "terrain/HillShade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <numbers>

namespace hw {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// A plane z = gx * x + gy * y (x east, y north, unit spacing) sampled on a
// grid whose rows run southward.
ElevationGrid Plane(int size, double gx, double gy)
{
    ElevationGrid g(size, size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            g.At(c, r) = static_cast<float>(gx * c - gy * r + 500.0);
    return g;
}

// The grey of a plane lit from azimuth/altitude, from the angle between its
// normal and the light: 1 + 254 cos, or 1 in its own shadow.
int Lambert(double gx, double gy, double azimuth, double altitude)
{
    double nx = -gx, ny = -gy, nz = 1.0;
    double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    double lx = std::cos(altitude * kRad) * std::sin(azimuth * kRad);
    double ly = std::cos(altitude * kRad) * std::cos(azimuth * kRad);
    double lz = std::sin(altitude * kRad);
    double cosAngle = (nx * lx + ny * ly + nz * lz) / len;
    return cosAngle <= 0 ? 1 : static_cast<int>(std::lround(1 + 254 * cosAngle));
}

TEST(HillShadeTest, PlanesAreLitByTheAngleBetweenTheirNormalAndTheLight)
{
    struct Case {
        double gx, gy, azimuth, altitude;
    } cases[] = {
        {0, 0, 315, 45},       {0.5, 0, 315, 45},   {-0.5, 0, 315, 45},  {0, 0.7, 315, 45},
        {0.3, -0.4, 315, 45},  {1.0, 1.0, 315, 45}, {-1.0, 1.0, 90, 30}, {2.0, 0, 180, 10},
        {-3.0, -3.0, 315, 45}, // facing away: its own shadow
    };
    for (const Case& k : cases) {
        ElevationGrid g = Plane(5, k.gx, k.gy);
        HillShade shade({k.azimuth, k.altitude, 1.0});
        std::vector<uint8_t> out = shade.Shade(g, 1.0, -1.0);
        EXPECT_NEAR(out[2 * 5 + 2], Lambert(k.gx, k.gy, k.azimuth, k.altitude), 1)
            << k.gx << "," << k.gy << " from " << k.azimuth << "/" << k.altitude;
    }
}

TEST(HillShadeTest, ExaggerationAndSpacingScaleTheSlope)
{
    // Twice the exaggeration or half the spacing: the slope of twice the plane.
    ElevationGrid g = Plane(5, 0.2, 0.1);
    int steeper = Lambert(0.4, 0.2, 315, 45);
    EXPECT_NEAR(HillShade({315, 45, 2.0}).Shade(g, 1.0, -1.0)[12], steeper, 1);
    EXPECT_NEAR(HillShade().Shade(g, 0.5, -0.5)[12], steeper, 1);
    EXPECT_EQ(HillShade().Flat(), Lambert(0, 0, 315, 45));
}

TEST(HillShadeTest, BorderAndCellsBesideAVoidHaveNoShade)
{
    ElevationGrid g = Plane(7, 0.1, 0.2);
    g.At(3, 3) = ElevationGrid::kVoid;
    std::vector<uint8_t> out = HillShade().Shade(g, 1.0, -1.0);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            bool border = r == 0 || c == 0 || r == 6 || c == 6;
            bool besideVoid = std::abs(r - 3) <= 1 && std::abs(c - 3) <= 1;
            if (border || besideVoid)
                EXPECT_EQ(out[r * 7 + c], 0) << c << "," << r;
            else
                EXPECT_NEAR(out[r * 7 + c], Lambert(0.1, 0.2, 315, 45), 1) << c << "," << r;
        }
    // Too small for any inner cell.
    ElevationGrid thin = Plane(2, 1, 1);
    for (uint8_t v : HillShade().Shade(thin, 1.0, -1.0))
        EXPECT_EQ(v, 0);
}

TEST(HillShadeTest, GroundSpacingShrinksEastWestWithLatitude)
{
    // One metre of climb per cell eastward, cells of 1/1200 degree: at 60
    // degrees north a cell is half as wide as at the equator.
    constexpr double kMetresPerDegree = 6371008.8 * std::numbers::pi / 180.0;
    double step = 1.0 / 1200;
    for (double lat : {0.0, 60.0, -60.0}) {
        ElevationGrid g(5, 5, GridPlacement{10.0, lat + 2.5 * step, step, -step});
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                g.At(c, r) = static_cast<float>(c * 20.0);
        double cellWidth = step * kMetresPerDegree * std::cos(lat * kRad);
        std::vector<uint8_t> out = HillShade().ShadeGround(g);
        EXPECT_NEAR(out[12], Lambert(20.0 / cellWidth, 0, 315, 45), 1) << lat;
    }
}

TEST(HillShadeTest, LargeGridsShadeTheSameInPartsAndBlocks)
{
    // Rows are shared among threads and shaded in blocks, three rows in
    // memory at a time: every row must come out as if alone, whether the
    // whole image is kept or the blocks go to a sink as they are done.
    ElevationGrid g(300, 700);
    for (int r = 0; r < 700; ++r)
        for (int c = 0; c < 300; ++c)
            g.At(c, r) = static_cast<float>(std::sin(c * 0.05) * 80 + std::cos(r * 0.03) * 120);
    HillShade shade;
    std::vector<uint8_t> all = shade.Shade(g, 30.0, -30.0);
    std::vector<uint8_t> row(300);
    for (int r = 0; r < 700; ++r) {
        shade.ShadeRow(g, r, 30.0, -30.0, row.data());
        ASSERT_TRUE(std::equal(row.begin(), row.end(), all.begin() + r * 300)) << r;
    }

    struct Collect final : ShadeSink {
        std::mutex lock;
        std::vector<uint8_t> image = std::vector<uint8_t>(300 * 700);
        std::vector<int> times = std::vector<int>(700);
        bool Take(int first, int count, const uint8_t* shades) override
        {
            std::lock_guard<std::mutex> hold(lock);
            std::copy(shades, shades + count * 300, image.begin() + first * 300);
            for (int r = first; r < first + count; ++r)
                ++times[r];
            return true;
        }
    } sink;
    EXPECT_TRUE(shade.Shade(GridRows(g), 30.0, -30.0, sink));
    EXPECT_EQ(sink.image, all);
    EXPECT_EQ(std::count(sink.times.begin(), sink.times.end(), 1), 700) << "each row once";

    // A sink that refuses (a full disk) stops the work and is reported.
    struct Refuse final : ShadeSink {
        std::atomic<int> calls = 0;
        bool Take(int, int, const uint8_t*) override
        {
            ++calls;
            return false;
        }
    } refuse;
    EXPECT_FALSE(shade.Shade(GridRows(g), 30.0, -30.0, refuse));
    EXPECT_LE(refuse.calls, 8) << "no thread goes on after a refusal";
}

} // namespace
} // namespace hw
