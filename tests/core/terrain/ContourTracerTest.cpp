#include "terrain/ContourTracer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace hw {
namespace {

double Length(const ContourLine& line)
{
    double sum = 0;
    for (size_t i = 1; i < line.points.size(); ++i)
        sum += std::hypot(line.points[i].x - line.points[i - 1].x,
                          line.points[i].y - line.points[i - 1].y);
    return sum;
}

// A cone: heights fall by 10 a cell from 1000 at the centre point (cx, cy).
ElevationGrid Cone(int size, double cx, double cy)
{
    ElevationGrid g(size, size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            g.At(c, r) = static_cast<float>(1000.0 - 10.0 * std::hypot(c + 0.5 - cx, r + 0.5 - cy));
    return g;
}

TEST(ContourTracerTest, AHillGivesOneClosedRingPerLevel)
{
    ElevationGrid g = Cone(61, 30.3, 29.8);
    std::vector<ContourLine> lines = ContourTracer(50.0).Trace(g);
    std::map<double, int> perLevel;
    for (const ContourLine& line : lines) {
        ++perLevel[line.elevation];
        double radius = (1000.0 - line.elevation) / 10.0;
        if (radius > 28.0)
            continue; // reaches the grid's edge
        EXPECT_TRUE(line.closed) << line.elevation;
        EXPECT_EQ(line.points.front(), line.points.back()) << line.elevation;
        // Marching squares cut the circle's corners a little.
        EXPECT_NEAR(Length(line), 2 * std::numbers::pi * radius,
                    0.02 * 2 * std::numbers::pi * radius)
            << line.elevation;
        for (const ContourPoint& p : line.points)
            EXPECT_NEAR(std::hypot(p.x - 30.3, p.y - 29.8), radius, 0.15) << line.elevation;
    }
    for (double level = 750; level <= 950; level += 50)
        EXPECT_EQ(perLevel[level], 1) << level;
    // Ordered by elevation, every level a multiple of the interval.
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_LE(lines[i - 1].elevation, lines[i].elevation);
}

TEST(ContourTracerTest, ALargeHillTracedByTheCoresInBandsStillGivesOneRingPerLevel)
{
    // Hundreds of rows are shared among the cores in bands of rows: each
    // ring crosses many bands and must come out whole, and the levels in
    // order, however the bands were taken.
    ElevationGrid g = Cone(401, 200.3, 199.8);
    for (int run = 0; run < 3; ++run) {
        std::vector<ContourLine> lines = ContourTracer(100.0).Trace(g);
        std::map<double, int> perLevel;
        for (const ContourLine& line : lines)
            ++perLevel[line.elevation];
        for (double level = -900; level <= 900; level += 100) {
            EXPECT_EQ(perLevel[level], 1) << level;
        }
        for (const ContourLine& line : lines) {
            if (line.elevation < -900)
                continue; // reaches the grid's edge
            EXPECT_TRUE(line.closed) << line.elevation;
            const double radius = (1000.0 - line.elevation) / 10.0;
            EXPECT_NEAR(Length(line), 2 * std::numbers::pi * radius,
                        0.02 * 2 * std::numbers::pi * radius)
                << line.elevation;
        }
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_LE(lines[i - 1].elevation, lines[i].elevation);
    }
}

TEST(ContourTracerTest, TilesSharingARowMeetAtItsCentresWithoutStubs)
{
    // A hill cut into a northern and a southern tile that share row 100:
    // the northern tile traces the squares down to that row's centres, the
    // southern one from them, and every line ending there goes on in the
    // other tile at the same point.
    const ElevationGrid hill = Cone(201, 100.3, 99.8);
    ElevationGrid north(201, 101), south(201, 101);
    for (int r = 0; r <= 100; ++r)
        for (int c = 0; c < 201; ++c) {
            north.At(c, r) = hill.At(c, r);
            south.At(c, r) = hill.At(c, r + 100);
        }
    ContourTracer upper(100.0), lower(100.0);
    upper.SetOpenSides({true, true, false, true});
    lower.SetOpenSides({false, true, true, true});
    std::multiset<std::pair<double, double>> ends, starts; // elevation, x
    for (const ContourLine& line : upper.Trace(north))
        for (const ContourPoint& p : line.points) {
            EXPECT_LE(p.y, 100.5) << line.elevation;
            if (p.y == 100.5)
                ends.insert({line.elevation, p.x});
        }
    for (const ContourLine& line : lower.Trace(south))
        for (const ContourPoint& p : line.points) {
            EXPECT_GE(p.y, 0.5) << line.elevation;
            if (p.y == 0.5)
                starts.insert({line.elevation, p.x});
        }
    EXPECT_FALSE(ends.empty());
    EXPECT_EQ(ends, starts);
    // Open, the northern tile's lines run on half a cell into the southern one.
    double lowest = 0;
    for (const ContourLine& line : ContourTracer(100.0).Trace(north))
        for (const ContourPoint& p : line.points)
            lowest = std::max(lowest, p.y);
    EXPECT_EQ(lowest, 101.0);
}

TEST(ContourTracerTest, ASlopeGivesOneLineEdgeToEdgeWithTheBase)
{
    // Heights rise 10 a row southward from 5: levels 25, 45, ... with base 5.
    ElevationGrid g(40, 30);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 40; ++c)
            g.At(c, r) = static_cast<float>(5 + 10 * r + 0.01 * c);
    std::vector<ContourLine> lines = ContourTracer(20.0, 5.0).Trace(g);
    ASSERT_EQ(lines.size(), 14u); // 25 .. 285
    for (const ContourLine& line : lines) {
        EXPECT_DOUBLE_EQ(std::fmod(line.elevation - 5.0, 20.0), 0.0);
        EXPECT_FALSE(line.closed);
        // From the grid's west edge to its east edge: half a cell beyond the
        // outer centres.
        double x0 = std::min(line.points.front().x, line.points.back().x);
        double x1 = std::max(line.points.front().x, line.points.back().x);
        EXPECT_DOUBLE_EQ(x0, 0.0) << line.elevation;
        EXPECT_DOUBLE_EQ(x1, 40.0) << line.elevation;
        EXPECT_NEAR(Length(line), 40.0, 0.01);
    }
}

TEST(ContourTracerTest, HeightsOnALevelCountAsAboveIt)
{
    // A plateau exactly at 100 in a plain at 90: one ring at 100 round the
    // plateau, none through its cells, no repeated points.
    ElevationGrid g(12, 12);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 12; ++c)
            g.At(c, r) = (r >= 4 && r < 8 && c >= 4 && c < 8) ? 100.0f : 90.0f;
    std::vector<ContourLine> lines = ContourTracer(10.0).Trace(g);
    // The plain itself lies on 90 and so above it: no line at 90, not even
    // at the grid's edge.
    ASSERT_EQ(lines.size(), 1u);
    const ContourLine& ring = lines[0];
    EXPECT_EQ(ring.elevation, 100.0);
    EXPECT_TRUE(ring.closed);
    for (size_t i = 1; i < ring.points.size(); ++i)
        EXPECT_NE(ring.points[i], ring.points[i - 1]);
    // The ring hugs the plateau's outer centres (4.5 .. 7.5).
    for (const ContourPoint& p : ring.points) {
        EXPECT_GE(std::max(std::abs(p.x - 6.0), std::abs(p.y - 6.0)), 1.5 - 1e-6);
        EXPECT_LE(std::max(std::abs(p.x - 6.0), std::abs(p.y - 6.0)), 1.5 + 1e-3);
    }
}

TEST(ContourTracerTest, NoLineCrossesAVoid)
{
    ElevationGrid g(20, 20);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 20; ++c)
            g.At(c, r) = static_cast<float>(3 + 10 * c);
    // A void block across the middle rows of columns 8..10.
    for (int r = 8; r < 12; ++r)
        for (int c = 8; c < 11; ++c)
            g.At(c, r) = ElevationGrid::kVoid;
    std::vector<ContourLine> lines = ContourTracer(10.0).Trace(g);
    std::map<double, int> perLevel;
    for (const ContourLine& line : lines) {
        ++perLevel[line.elevation];
        for (const ContourPoint& p : line.points) {
            bool insideVoid =
                p.x > 8.5 + 1e-9 && p.x < 10.5 - 1e-9 && p.y > 8.5 + 1e-9 && p.y < 11.5 - 1e-9;
            EXPECT_FALSE(insideVoid) << line.elevation << " at " << p.x << "," << p.y;
        }
    }
    // Levels whose line runs through the void's columns break in two;
    // the others stay whole.
    EXPECT_EQ(perLevel[50.0], 1);
    EXPECT_EQ(perLevel[90.0], 2);
    EXPECT_EQ(perLevel[100.0], 2);
    EXPECT_EQ(perLevel[150.0], 1);
}

TEST(ContourTracerTest, SaddlesAlwaysCutOffTheSameCorners)
{
    // Two peaks and two pits on the diagonals: a saddle at every level. Each
    // line rounds one of the corners upper right and lower left, whatever
    // the level and whichever are the peaks, so that levels nest: all its
    // points lie on one side of the diagonal from upper left to lower right.
    for (float peak : {100.0f, 0.0f}) {
        ElevationGrid g(2, 2);
        g.At(0, 0) = peak, g.At(1, 1) = peak;
        g.At(1, 0) = 100 - peak, g.At(0, 1) = 100 - peak;
        for (double level : {20.0, 40.0, 60.0, 80.0}) {
            int atLevel = 0;
            for (const ContourLine& line : ContourTracer(level).Trace(g)) {
                if (line.elevation != level)
                    continue;
                ++atLevel;
                int above = 0, below = 0;
                for (const ContourPoint& p : line.points) {
                    above += p.x - p.y > 1e-9;
                    below += p.x - p.y < -1e-9;
                }
                EXPECT_TRUE(above == 0 || below == 0) << peak << " " << level;
            }
            EXPECT_EQ(atLevel, 2) << peak << " " << level;
        }
    }
}

TEST(ContourTracerTest, AWindowTracesAsTheCutOutGrid)
{
    ElevationGrid g = Cone(50, 20.2, 24.7);
    ElevationGrid part(20, 15);
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 20; ++c)
            part.At(c, r) = g.At(c + 10, r + 12);
    ContourTracer tracer(25.0);
    std::vector<ContourLine> a = tracer.Trace(g, 10, 12, 30, 27);
    std::vector<ContourLine> b = tracer.Trace(part);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].elevation, b[i].elevation);
        EXPECT_NEAR(Length(a[i]), Length(b[i]), 1e-9);
        EXPECT_NEAR(a[i].points[0].x - 10, b[i].points[0].x, 1e-9);
    }
}

TEST(ContourTracerTest, NoiseBeyondTheSegmentBoundTracesNothing)
{
    // Every square spans 0 to 8000 m: 800 levels through each at 10 m.
    ElevationGrid noise(65, 65);
    for (int r = 0; r < 65; ++r)
        for (int c = 0; c < 65; ++c)
            noise.At(c, r) = (r + c) % 2 ? 8000.0f : 0.0f;
    ContourTracer bounded(10.0);
    bounded.SetMaxSegments(8 * 64 * 64);
    EXPECT_TRUE(bounded.Trace(noise).empty());
    EXPECT_FALSE(ContourTracer(10.0).Trace(Cone(9, 4, 4)).empty());
    // Ground within the bound traces as without one.
    ElevationGrid g = Cone(61, 30.3, 29.8);
    const std::vector<ContourLine> free = ContourTracer(50.0).Trace(g);
    ContourTracer limited(50.0);
    limited.SetMaxSegments(8 * 60 * 60);
    const std::vector<ContourLine> kept = limited.Trace(g);
    ASSERT_EQ(kept.size(), free.size());
    for (size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(kept[i].points, free[i].points);
}

TEST(ContourTracerTest, UselessIntervalsTraceNothing)
{
    ElevationGrid g = Cone(10, 5, 5);
    EXPECT_TRUE(ContourTracer(0.0).Trace(g).empty());
    EXPECT_TRUE(ContourTracer(-5.0).Trace(g).empty());
    EXPECT_TRUE(ContourTracer(std::nan("")).Trace(g).empty());
    // A millionth of a metre over heights of 1000: far too many levels.
    EXPECT_GT(ContourTracer(1e-6).LevelCount(0, 1000), ContourTracer::kMaxLevels);
    EXPECT_TRUE(ContourTracer(1e-6).Trace(g).empty());
    ElevationGrid voids(4, 4);
    EXPECT_TRUE(ContourTracer(10.0).Trace(voids).empty());
    // Ground far beyond any, where level numbers leave 64 bits.
    ElevationGrid far(3, 3);
    for (int i = 0; i < 9; ++i)
        far.At(i % 3, i / 3) = 3e30f;
    EXPECT_TRUE(ContourTracer(10.0).Trace(far).empty());
}

} // namespace
} // namespace hw
