// hikewise-route-synth OUT.map OUT.pairs [--way-nodes N] [--pairs K] [--km D]
// [--seed S]: a perturbed lattice of paths and tracks of about N way nodes
// (crossings every 400 m, shape points between them), ways of random
// difficulty over a synthetic hilly ground, as a map file with its walking
// network and heights; and K pairs of positions D km apart within it, one
// "LAT,LON LAT,LON" line each, for route --pairs. Prints the network's
// figures and its memory as JSON.
#include "base/AtomicFile.h"
#include "base/JsonWriter.h"
#include "basemap/RoadMap.h"
#include "geo/SphericalGeometry.h"
#include "route/RoutePlanner.h"
#include "route/WalkingNetworkBuilder.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace hw;

constexpr double kOriginLat = 45.0, kOriginLon = 6.0;
constexpr double kSpacingKm = 0.4;

// Rolling hills and a few ridges, up to about 2,400 m.
double Ground(double lat, double lon)
{
    const double x = (lon - kOriginLon) * 80, y = (lat - kOriginLat) * 110;
    return 1200 + 500 * std::sin(x * 0.21) * std::cos(y * 0.17) +
           300 * std::sin(x * 0.9 + y * 0.7) + 120 * std::cos(x * 3.1 - y * 2.3);
}

bool TakeNumber(std::vector<std::string>& args, const char* name, double& value)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name) {
            const std::string& t = args[i + 1];
            if (std::from_chars(t.data(), t.data() + t.size(), value).ec != std::errc())
                return false;
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
            return true;
        }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    double wayNodes = 2e6, pairs = 1000, km = 50, seed = 1;
    if (!TakeNumber(args, "--way-nodes", wayNodes) || !TakeNumber(args, "--pairs", pairs) ||
        !TakeNumber(args, "--km", km) || !TakeNumber(args, "--seed", seed) || args.size() != 2) {
        std::fputs("usage: hikewise-route-synth OUT.map OUT.pairs [--way-nodes N] [--pairs K] "
                   "[--km D] [--seed S]\n",
                   stderr);
        return 2;
    }
    std::mt19937_64 random(static_cast<uint64_t>(seed));
    std::uniform_real_distribution<double> unit(0, 1);
    // Each crossing brings two lattice edges of four shape points on average.
    const int side = std::max(2, static_cast<int>(std::sqrt(wayNodes / 8.3)));
    const double latStep = kSpacingKm / (kRadiansPerDegree * kEarthRadiusKm);
    const double lonStep = latStep / std::cos(kOriginLat * kRadiansPerDegree);
    auto micro = [](double deg) { return static_cast<int32_t>(std::lround(deg * 1e6)); };
    std::vector<RoadPoint> crossings(std::size_t(side) * side);
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            crossings[std::size_t(r) * side + c] = {
                micro(kOriginLat + (r + 0.6 * (unit(random) - 0.5)) * latStep),
                micro(kOriginLon + (c + 0.6 * (unit(random) - 0.5)) * lonStep)};
    // Mostly easy ways, some mountain paths, a few alpine ones.
    auto difficulty = [&] {
        const double u = unit(random);
        return u < 0.5 ? 0 : u < 0.7 ? 1 : u < 0.82 ? 2 : u < 0.9 ? 3 : 4 + int(unit(random) * 3);
    };
    WalkingNetworkBuilder builder;
    int64_t nextId = int64_t(side) * side;
    std::vector<WayNode> way;
    for (int dir = 0; dir < 2; ++dir)
        for (int line = 0; line < side; ++line) {
            way.clear();
            int wayDifficulty = difficulty();
            for (int k = 0; k < side; ++k) {
                const int64_t id = dir ? int64_t(line) * side + k : int64_t(k) * side + line;
                const RoadPoint p = crossings[std::size_t(id)];
                if (!way.empty()) {
                    if (unit(random) < 0.08) { // a missing piece of way
                        if (way.size() > 1)
                            builder.AddWay(way, wayDifficulty);
                        way.clear();
                        wayDifficulty = difficulty();
                    } else {
                        const RoadPoint a = way.back().point;
                        const int shapes = 2 + int(unit(random) * 5);
                        for (int s = 1; s <= shapes; ++s) {
                            const double t = double(s) / (shapes + 1);
                            way.push_back({nextId++,
                                           {micro((a.lat + t * (p.lat - a.lat)) * 1e-6 +
                                                  0.08 * latStep * (unit(random) - 0.5)),
                                            micro((a.lon + t * (p.lon - a.lon)) * 1e-6 +
                                                  0.08 * lonStep * (unit(random) - 0.5))}});
                        }
                    }
                }
                way.push_back({id, p});
                if (unit(random) < 0.25 && way.size() > 1) { // the way ends, another goes on
                    builder.AddWay(way, wayDifficulty);
                    way.assign(1, way.back());
                    wayDifficulty = difficulty();
                }
            }
            if (way.size() > 1)
                builder.AddWay(way, wayDifficulty);
        }
    WalkingNetwork network = builder.Build();
    network.LookUpHeights(Ground);

    RoadMapWriter writer;
    writer.SetNetwork(network.SectionBytes(), network.NodeCount(), network.EdgeCount());
    if (!WriteFileAtomically(args[0], writer.Bytes())) {
        std::fprintf(stderr, "cannot write '%s'\n", args[0].c_str());
        return 1;
    }
    // Pairs km apart, both within the lattice.
    std::string lines;
    std::vector<RouteStop> stops;
    const double spanLat = (side - 1) * latStep, spanLon = (side - 1) * lonStep;
    for (int made = 0; made < static_cast<int>(pairs);) {
        const double lat = kOriginLat + unit(random) * spanLat;
        const double lon = kOriginLon + unit(random) * spanLon;
        const double bearing = unit(random) * 360;
        const GeoPoint to = ProjectPoint(GeoPoint::FromDegrees(lat, lon), km, bearing);
        if (to.LatDegrees() < kOriginLat || to.LatDegrees() > kOriginLat + spanLat ||
            to.LonDegrees() < kOriginLon || to.LonDegrees() > kOriginLon + spanLon)
            continue;
        char line[96];
        std::snprintf(line, sizeof line, "%.6f,%.6f %.6f,%.6f\n", lat, lon, to.LatDegrees(),
                      to.LonDegrees());
        lines += line;
        stops.push_back({lat, lon});
        stops.push_back({to.LatDegrees(), to.LonDegrees()});
        ++made;
    }
    if (!WriteFileAtomically(args[1], lines)) {
        std::fprintf(stderr, "cannot write '%s'\n", args[1].c_str());
        return 1;
    }
    // The planner's memory after some routes, its queue grown as they need.
    RoutePlanner planner(network);
    for (std::size_t i = 0; i + 1 < stops.size() && i < 40; i += 2)
        planner.Plan({{stops[i], stops[i + 1]}, RouteMode::Hiking, 6});
    const double perWayNode =
        double(network.MemoryBytes() + planner.MemoryBytes()) / double(network.WayNodeCount());
    std::string out;
    JsonWriter(out)
        .BeginObject()
        .Key("way_nodes")
        .UInt(network.WayNodeCount())
        .Key("graph")
        .BeginObject()
        .Key("nodes")
        .UInt(network.NodeCount())
        .Key("edges")
        .UInt(network.EdgeCount())
        .EndObject()
        .Key("network_bytes")
        .UInt(network.MemoryBytes())
        .Key("planner_bytes")
        .UInt(planner.MemoryBytes())
        .Key("bytes_per_way_node")
        .Real(perWayNode, 1)
        .EndObject();
    std::puts(out.c_str());
    return 0;
}
