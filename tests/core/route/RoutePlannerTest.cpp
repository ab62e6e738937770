#include "route/RoutePlanner.h"

#include "basemap/RoadMap.h"
#include "geo/SphericalGeometry.h"
#include "route/RouteGpx.h"
#include "route/WalkableWay.h"
#include "route/WalkingNetworkBuilder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <map>
#include <queue>
#include <random>
#include <set>

namespace hw {
namespace {

TEST(WalkableWayTest, TheRulesByTag)
{
    struct Case {
        std::map<std::string, std::string> tags;
        int difficulty;
    };
    const Case cases[] = {
        {{{"highway", "footway"}}, 0},
        {{{"highway", "path"}, {"sac_scale", "mountain_hiking"}}, 2},
        {{{"highway", "path"}, {"sac_scale", "difficult_alpine_hiking"}}, 6},
        {{{"highway", "path"}, {"sac_scale", "T3"}}, 6}, // unknown counts as the hardest
        {{{"highway", "motorway"}}, -1},
        {{{"highway", "motorway"}, {"foot", "permissive"}}, 0},
        {{{"highway", "proposed"}, {"foot", "yes"}}, -1},
        {{{"highway", "residential"}, {"foot", "use_sidepath"}}, -1},
        {{{"highway", "track"}, {"access", "private"}}, -1},
        {{{"highway", "track"}, {"access", "private"}, {"foot", "designated"}}, 0},
        {{{"highway", "track"}, {"access", "agricultural"}}, 0},
        {{{"highway", "service"}, {"access", "use_sidepath"}}, 0},
        {{{"highway", "steps"}, {"foot", "no"}, {"access", "yes"}}, -1},
        {{{"highway", "pedestrian"}, {"area", "yes"}, {"oneway", "yes"}}, 0},
        {{{"railway", "rail"}}, -1},
    };
    for (const Case& c : cases) {
        auto lookup = [&](const char* key) -> const char* {
            auto it = c.tags.find(key);
            return it == c.tags.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(WalkableDifficulty(lookup), c.difficulty) << c.tags.begin()->second;
    }
}

// A perturbed lattice of ways with shape points between its crossings,
// random difficulties and a hilly ground, and a far piece of its own.
struct Lattice {
    struct Way {
        std::vector<WayNode> nodes;
        int difficulty;
    };
    std::vector<Way> ways;
    std::map<int64_t, RoadPoint> points;

    static double Ground(double lat, double lon)
    {
        return 400 + 300 * std::sin(lat * 300) * std::cos(lon * 250);
    }

    Lattice(int side, RoadPoint origin, int64_t firstId, std::mt19937& random)
    {
        std::uniform_int_distribution<int> jitter(-400, 400), difficulty(0, 6), keep(0, 9);
        auto crossing = [&](int r, int c) { return firstId + r * side + c; };
        for (int r = 0; r < side; ++r)
            for (int c = 0; c < side; ++c)
                points[crossing(r, c)] = {origin.lat + r * 2500 + jitter(random),
                                          origin.lon + c * 3500 + jitter(random)};
        int64_t next = firstId + side * side;
        for (int dir = 0; dir < 2; ++dir)
            for (int line = 0; line < side; ++line) {
                Way way{{}, difficulty(random)};
                for (int k = 0; k < side; ++k) {
                    const int64_t id = dir ? crossing(line, k) : crossing(k, line);
                    if (!way.nodes.empty()) {
                        // A shape point between two crossings.
                        const RoadPoint a = points[way.nodes.back().id], b = points[id];
                        points[next] = {(a.lat + b.lat) / 2 + jitter(random),
                                        (a.lon + b.lon) / 2 + jitter(random)};
                        way.nodes.push_back({next, points[next]});
                        ++next;
                    }
                    way.nodes.push_back({id, points[id]});
                    if (keep(random) < 3 && way.nodes.size() > 1) { // the way ends here
                        ways.push_back(way);
                        way = Way{{way.nodes.back()}, difficulty(random)};
                    }
                }
                if (way.nodes.size() > 1)
                    ways.push_back(way);
            }
    }

    // Plain Dijkstra over the ways' segments from one node to another, within a
    // difficulty limit; metres or Tobler seconds.
    double Cheapest(int64_t from, int64_t to, int limit, bool hiking) const
    {
        std::map<int64_t, std::vector<std::pair<int64_t, double>>> next;
        for (const Way& w : ways)
            if (w.difficulty <= limit)
                for (std::size_t i = 1; i < w.nodes.size(); ++i)
                    for (int back = 0; back < 2; ++back) {
                        const WayNode& a = w.nodes[i - back];
                        const WayNode& b = w.nodes[i - 1 + back];
                        const double km = DistanceKm(a.point.lat * 1e-6, a.point.lon * 1e-6,
                                                     b.point.lat * 1e-6, b.point.lon * 1e-6);
                        const double rise = Ground(b.point.lat * 1e-6, b.point.lon * 1e-6) -
                                            Ground(a.point.lat * 1e-6, a.point.lon * 1e-6);
                        const double slope = rise / (km * 1000);
                        const double cost =
                            hiking ? km / (6 * std::exp(-3.5 * std::fabs(slope + 0.05))) * 3600
                                   : km * 1000;
                        next[a.id].push_back({b.id, cost});
                    }
        std::map<int64_t, double> best{{from, 0}};
        std::priority_queue<std::pair<double, int64_t>, std::vector<std::pair<double, int64_t>>,
                            std::greater<>>
            queue;
        queue.push({0, from});
        while (!queue.empty()) {
            auto [d, n] = queue.top();
            queue.pop();
            if (n == to)
                return d;
            if (d > best[n])
                continue;
            for (auto [m, cost] : next[n])
                if (!best.count(m) || d + cost < best[m])
                    queue.push({best[m] = d + cost, m});
        }
        return INFINITY;
    }
};

class RoutePlannerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WalkingNetworkBuilder builder;
        for (const Lattice* l : {&main, &far})
            for (const Lattice::Way& w : l->ways)
                builder.AddWay(w.nodes, w.difficulty);
        // A courtyard of 200 m, alone: no start snaps onto it.
        const std::vector<WayNode> yard = {
            {900, {43802000, 7402000}}, {901, {43803000, 7402000}}, {900, {43802000, 7402000}}};
        builder.AddWay(yard, 0);
        WalkingNetwork built = builder.Build();
        built.LookUpHeights(Lattice::Ground);
        // Through the map file and back, as the routing reads it.
        RoadMapWriter writer;
        writer.AddWay(8, {{43700000, 7400000}, {43700100, 7400100}});
        writer.SetNetwork(built.SectionBytes(), built.NodeCount(), built.EdgeCount());
        bytes = writer.Bytes();
        ASSERT_TRUE(map.Parse(bytes, error)) << error;
        ASSERT_TRUE(network.Read(map, error)) << error;
        planner = std::make_unique<RoutePlanner>(network);
    }

    RoutePlan Plan(std::vector<RoadPoint> stops, RouteMode mode, int limit)
    {
        RouteRequest request{{}, mode, limit};
        for (const RoadPoint& p : stops)
            request.stops.push_back({p.lat * 1e-6, p.lon * 1e-6});
        return planner->Plan(request);
    }

    std::mt19937 random{41};
    Lattice main{12, {43700000, 7400000}, 1000, random};
    Lattice far{6, {43900000, 7400000}, 100000, random};
    std::string bytes, error;
    RoadMap map;
    WalkingNetwork network;
    std::unique_ptr<RoutePlanner> planner;
};

TEST_F(RoutePlannerTest, RoutesAreTheCheapestWithinTheLimitAndShortestOnesSymmetric)
{
    // Every segment of a way with the lowest difficulty it has.
    std::map<std::pair<int64_t, int64_t>, int> segments;
    auto key = [](const RoadPoint& a, const RoadPoint& b) {
        const int64_t p = int64_t{a.lat} << 32 | uint32_t(a.lon),
                      q = int64_t{b.lat} << 32 | uint32_t(b.lon);
        return std::pair{std::min(p, q), std::max(p, q)};
    };
    for (const Lattice::Way& w : main.ways)
        for (std::size_t i = 1; i < w.nodes.size(); ++i) {
            auto [it, added] =
                segments.emplace(key(w.nodes[i - 1].point, w.nodes[i].point), w.difficulty);
            it->second = std::min(it->second, w.difficulty);
        }
    std::uniform_int_distribution<int64_t> crossing(1000, 1000 + 12 * 12 - 1);
    int checked = 0;
    for (int i = 0; i < 60; ++i) {
        const int64_t a = crossing(random), b = crossing(random);
        const int limit = i % 7;
        const RouteMode mode = i % 2 ? RouteMode::Hiking : RouteMode::Shortest;
        const RoutePlan plan = Plan({main.points[a], main.points[b]}, mode, limit);
        const double cheapest = main.Cheapest(a, b, limit, mode == RouteMode::Hiking);
        if (plan.status != RoutePlan::Status::Found || plan.snapM[0] > 0 || plan.snapM[1] > 0) {
            // Started elsewhere: the crossing has no way within the limit.
            continue;
        }
        ++checked;
        const double cost = mode == RouteMode::Hiking ? plan.figures.timeS : plan.figures.lengthM;
        EXPECT_NEAR(cost, cheapest, cheapest * 1e-5 + 1e-6) << a << " " << b << " " << limit;
        for (std::size_t k = 1; k < plan.path.size(); ++k) {
            auto p = [&](std::size_t j) {
                return RoadPoint{int32_t(std::lround(plan.path[j].lat * 1e6)),
                                 int32_t(std::lround(plan.path[j].lon * 1e6))};
            };
            auto it = segments.find(key(p(k - 1), p(k)));
            ASSERT_NE(it, segments.end());
            EXPECT_LE(it->second, limit);
        }
        if (mode == RouteMode::Shortest) {
            const RoutePlan back = Plan({main.points[b], main.points[a]}, mode, limit);
            EXPECT_NEAR(back.figures.lengthM, plan.figures.lengthM, 1e-3);
        }
    }
    EXPECT_GE(checked, 30);
}

TEST_F(RoutePlannerTest, ViaPointsInOrderSnappingAndWhereNoRouteIs)
{
    const RoadPoint a = main.points[1000], v = main.points[1000 + 12 * 12 - 1],
                    b = main.points[1000 + 11];
    const RoutePlan via = Plan({a, v, b}, RouteMode::Shortest, 6);
    ASSERT_EQ(via.status, RoutePlan::Status::Found);
    EXPECT_NEAR(via.figures.lengthM,
                Plan({a, v}, RouteMode::Shortest, 6).figures.lengthM +
                    Plan({v, b}, RouteMode::Shortest, 6).figures.lengthM,
                1e-3);
    EXPECT_EQ(via.snapM.size(), 3u);
    auto at = [&](const RoadPoint& p) {
        for (std::size_t i = 0; i < via.path.size(); ++i)
            if (std::lround(via.path[i].lat * 1e6) == p.lat &&
                std::lround(via.path[i].lon * 1e6) == p.lon)
                return i;
        return via.path.size();
    };
    EXPECT_LT(at(a), at(v));
    EXPECT_LT(at(v), at(b));
    EXPECT_LT(at(b), via.path.size());

    // Off the ways: the foot of the perpendicular, its distance by DistanceKm.
    const RoadPoint p = main.points[1000 + 12 + 5], q = main.points[1000 + 5];
    const RoadPoint off{p.lat - 300, p.lon + 200};
    const RoutePlan snapped = Plan({off, q}, RouteMode::Shortest, 6);
    ASSERT_EQ(snapped.status, RoutePlan::Status::Found);
    EXPECT_NEAR(
        snapped.snapM[0],
        DistanceKm(off.lat * 1e-6, off.lon * 1e-6, snapped.path[0].lat, snapped.path[0].lon) * 1000,
        1e-6);
    EXPECT_LT(snapped.snapM[0], 50);
    EXPECT_GT(snapped.snapM[0], 0);

    // The far piece is reachable on its own, not from the main one.
    EXPECT_EQ(Plan({far.points[100000], far.points[100035]}, RouteMode::Shortest, 6).status,
              RoutePlan::Status::Found);
    EXPECT_EQ(Plan({a, far.points[100000]}, RouteMode::Hiking, 6).status,
              RoutePlan::Status::NoRoute);
    // The courtyard is left out; 20 km from every way is too far.
    const RoutePlan yard = Plan({{43802500, 7402000}, a}, RouteMode::Shortest, 6);
    EXPECT_TRUE(yard.status != RoutePlan::Status::Found || yard.snapM[0] > 500);
    const RoutePlan lost = Plan({a, {44100000, 7400000}}, RouteMode::Shortest, 6);
    EXPECT_EQ(lost.status, RoutePlan::Status::TooFar);
    EXPECT_EQ(lost.farStop, 1u);
    // Cancelled from another thread: no route, and the planner plans on.
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(planner->Plan({{{43.70, 7.40}, {43.72, 7.43}}, RouteMode::Hiking, 6}, &cancel).status,
              RoutePlan::Status::Cancelled);
    EXPECT_EQ(Plan({a, b}, RouteMode::Hiking, 6).status, RoutePlan::Status::Found);
}

TEST_F(RoutePlannerTest, GpxKeepsEveryPointInTheTrackAndAShortRoute)
{
    const RoutePlan plan =
        Plan({main.points[1000], main.points[1000 + 12 * 12 - 1], main.points[1000]},
             RouteMode::Hiking, 6);
    ASSERT_GT(plan.path.size(), kMaxRoutePoints / 4);
    std::vector<RoutePoint> many;
    for (int i = 0; i < 3; ++i)
        many.insert(many.end(), plan.path.begin(), plan.path.end());
    const std::string gpx = RouteGpx(many);
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = gpx.find(what); at != std::string::npos; at = gpx.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<trkpt "), many.size());
    EXPECT_EQ(count("<ele>"), many.size());
    EXPECT_LE(count("<rtept "), kMaxRoutePoints);
    EXPECT_GE(count("<rtept "), 2u);
}

TEST_F(RoutePlannerTest, OlderAndDamagedFilesGiveAnErrorNeverACrash)
{
    // An older file loads without a network.
    RoadMapWriter old;
    old.AddWay(8, {{43700000, 7400000}, {43700100, 7400100}});
    RoadMap oldMap;
    ASSERT_TRUE(oldMap.Parse(old.Bytes(RoadMapWriter::kEnglishNames), error)) << error;
    EXPECT_EQ(oldMap.Summary().Json().find("\"graph\":{\"nodes\":0,\"edges\":0}") !=
                  std::string::npos,
              true);
    WalkingNetwork none;
    EXPECT_FALSE(none.Read(oldMap, error));
    EXPECT_NE(error.find("no walking network"), std::string::npos);

    // Cut short anywhere, or a byte changed in the network's section.
    const std::string section(map.NetworkSection());
    const std::size_t sectionAt = bytes.size() - section.size();
    std::uniform_int_distribution<std::size_t> anywhere(sectionAt, bytes.size() - 1);
    for (int i = 0; i < 400; ++i) {
        std::string damaged = bytes;
        if (i % 2)
            damaged.resize(anywhere(random));
        else
            damaged[anywhere(random)] ^= static_cast<char>(1 + i % 255);
        RoadMap m;
        WalkingNetwork n;
        if (!m.Parse(damaged, error) || !n.Read(m, error)) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        RoutePlanner p(n); // a changed coordinate or difficulty still routes
        RouteRequest r{{{43.70, 7.40}, {43.72, 7.43}}, RouteMode::Hiking, 6};
        p.Plan(r);
    }
}

} // namespace
} // namespace hw
