// Following a course: simulated walks with receiver noise over the shapes
// that trouble a follower.
#include "course/CourseFollower.h"
#include "geo/SphericalGeometry.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace hw {
namespace {

constexpr double kMetresPerDegree = kEarthRadiusKm * 1000 * kRadiansPerDegree;
const double kEastScale = kMetresPerDegree * std::cos(46 * 0.017453292519943295);

struct Xy {
    double x, y; // metres east and north of 46°N 7°E
};

Course MakeCourse(const std::vector<Xy>& shape)
{
    Course c;
    for (const Xy& p : shape)
        c.points.push_back({46 + p.y / kMetresPerDegree, 7 + p.x / kEastScale, NAN});
    return c;
}

// Straight legs through the corners, a point every 5 m.
std::vector<Xy> Legs(std::vector<Xy> corners)
{
    std::vector<Xy> out{corners[0]};
    for (size_t i = 1; i < corners.size(); ++i) {
        Xy a = corners[i - 1], b = corners[i];
        int n = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 5));
        for (int k = 1; k <= n; ++k)
            out.push_back({a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n});
    }
    return out;
}

// Two circles of 150 m meeting at the origin, the second walked the other way.
std::vector<Xy> FigureEight()
{
    std::vector<Xy> out;
    for (int side : {1, -1})
        for (int k = 0; k < 190; ++k) {
            double a = k * 6.283185307 / 190;
            out.push_back({side * (150 - 150 * std::cos(a)), 150 * std::sin(a)});
        }
    out.push_back({0, 0});
    return out;
}

struct WalkCase {
    const char* what;
    std::vector<Xy> shape;
    bool reversed;
    double startAlong;  // where on the walked course the walk begins
    double excursionAt; // along, metres; < 0 for none
    bool arrives;
    int offEvents;
};

// The walk: along the course from startAlong at 1.3 m a fix, out 150 m at
// right angles and back at excursionAt, with correlated noise of a few metres.
std::vector<Xy> Walk(const std::vector<Xy>& path, double startAlong, double excursionAt)
{
    std::mt19937 rng(7);
    std::normal_distribution<double> gauss(0, 1);
    std::vector<Xy> walk;
    double nx = 0, ny = 0, base = 0;
    size_t i = 1;
    for (double along = startAlong;; along += 1.3) {
        double len = 0;
        for (; i < path.size(); base += len, ++i) {
            len = std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
            if (along <= base + len)
                break;
        }
        if (i == path.size())
            break;
        Xy a = path[i - 1], b = path[i];
        double t = len > 0 ? (along - base) / len : 0;
        Xy here{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        if (excursionAt >= 0 && along >= excursionAt && along < excursionAt + 1.3)
            for (double d = 0; d < 300; d += 1.3) {
                double off = d < 150 ? d : 300 - d;
                walk.push_back(
                    {here.x + off * (b.y - a.y) / len, here.y - off * (b.x - a.x) / len});
            }
        nx = 0.9 * nx + 1.5 * gauss(rng);
        ny = 0.9 * ny + 1.5 * gauss(rng);
        walk.push_back({here.x + nx, here.y + ny});
    }
    walk.push_back(path.back());
    return walk;
}

const std::vector<WalkCase>& Cases()
{
    static const std::vector<WalkCase> cases = {
        {"straight", Legs({{0, 0}, {0, 2000}}), false, 0, -1, true, 0},
        {"started in the middle", Legs({{0, 0}, {0, 2000}}), false, 900, -1, true, 0},
        {"out and back, legs 5 m apart", Legs({{0, 0}, {0, 1000}, {5, 1000}, {5, 0}}), false, 0, -1,
         true, 0},
        {"figure-8", FigureEight(), false, 0, -1, true, 0},
        {"150 m off and back", Legs({{0, 0}, {600, 800}, {600, 1600}}), false, 0, 700, true, 1},
        {"reversed", Legs({{0, 0}, {300, 0}, {300, 1200}}), true, 0, -1, true, 0},
        {"loop, started at its end", Legs({{0, 0}, {500, 0}, {500, 500}, {0, 500}, {0, 0}}), false,
         0, -1, true, 0},
    };
    return cases;
}

TEST(CourseFollower, KeepsToTheLegWalkedAndWarnsOncePerExcursion)
{
    for (const WalkCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        Course course = MakeCourse(c.shape);
        std::vector<Xy> walked = c.shape;
        if (c.reversed)
            std::reverse(walked.begin(), walked.end());
        CourseFollower follower(course, c.reversed, nullptr, FollowSettings{});
        const double length = follower.Profile().LengthM();
        int off = 0, back = 0, arrived = 0, fixes = 0;
        double previous = NAN, worstStep = 0;
        for (const Xy& p : Walk(walked, c.startAlong, c.excursionAt)) {
            for (const CourseEvent& e : follower.Update(46 + p.y / kMetresPerDegree,
                                                        7 + p.x / kEastScale, 1.7e9 + fixes)) {
                off += e.kind == CourseEvent::Kind::OffCourse;
                back += e.kind == CourseEvent::Kind::BackOnCourse;
                arrived += e.kind == CourseEvent::Kind::Arrived;
                EXPECT_TRUE(e.kind != CourseEvent::Kind::OffCourse || e.distanceM > 50);
            }
            const FollowState& s = follower.State();
            if (fixes++ == 0)
                EXPECT_NEAR(s.alongM, c.startAlong, 15);
            else if (!s.off)
                worstStep = std::max(worstStep, std::fabs(s.alongM - previous));
            previous = s.alongM;
            EXPECT_NEAR(s.alongM + s.toGoM, length, 0.01);
            if (s.arrived)
                break;
        }
        EXPECT_LT(worstStep, 20) << "the progress jumped";
        EXPECT_EQ(off, c.offEvents);
        EXPECT_EQ(back, c.offEvents);
        EXPECT_EQ(arrived, c.arrives ? 1 : 0);
        EXPECT_GT(previous, 0.9 * length);
    }
}

TEST(CourseFollower, RemainingTimeByTheWalkersPaceAfterTenMinutes)
{
    Course course = MakeCourse(Legs({{0, 0}, {0, 3000}}));
    FollowSettings settings;
    settings.paceFactor = 2;
    CourseFollower follower(course, false, nullptr, settings);
    const double flat = 3.6 / 5.04; // Tobler's seconds per metre on the flat
    // Twice Tobler's pace... at half his speed: 0.7 m/s.
    for (int t = 0; t <= 1200; t += 10) {
        follower.Update(46 + 0.7 * t / kMetresPerDegree, 7, 1.7e9 + t);
        double rest = (3000 - 0.7 * t) * flat;
        double expected = t < 600 ? 2 * rest : rest * (1 / 0.7) / flat;
        EXPECT_NEAR(follower.State().remainingS, expected, expected * 0.02) << t;
    }
    EXPECT_NEAR(follower.State().etaS, 1.7e9 + 1200 + follower.State().remainingS, 1e-3);
    // Far away the walker is joined again at the nearest point.
    follower.Update(46 + 2500 / kMetresPerDegree, 7 + 600 / kEastScale, 1.7e9 + 1300);
    EXPECT_NEAR(follower.State().alongM, 2500, 1);
    EXPECT_NEAR(follower.State().xteM, 600, 1);
}

} // namespace
} // namespace hw
