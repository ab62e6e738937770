// libFuzzer target for the road map file: any bytes are read or refused with
// a message, never out of bounds; a file that is read draws from any area,
// its labels' names lie within it, and its walking network, when it reads,
// routes between any two of its edges.
// The last 16 bytes of an input (if any) give one more area to draw.
#include "FuzzCheck.h"
#include "basemap/RoadMap.h"
#include "route/RoutePlanner.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

int32_t I32At(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    RoadMap map;
    std::string error;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!map.Parse(bytes, error)) {
        FuzzCheck(!error.empty() && map.Empty(), "a refused file gives a message, no roads");
        return 0;
    }
    const RoadMapSummary& s = map.Summary();
    RoadBox areas[3] = {s.bounds, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {}};
    if (size >= 16)
        areas[2] = {I32At(data + size - 16), I32At(data + size - 12), I32At(data + size - 8),
                    I32At(data + size - 4)};
    for (const RoadBox& area : areas) {
        uint32_t ways = 0;
        map.ForEachWay(
            area, kAllRoadClasses, [&](int roadClass, const RoadPoint* points, uint32_t count) {
                FuzzCheck(roadClass >= 0 && roadClass < kRoadClassCount, "a known class");
                FuzzCheck(count >= 2, "a way of two points or more");
                volatile int32_t last = points[count - 1].lat; // in bounds, or the sanitizer says
                (void)last;
                ++ways;
            });
        FuzzCheck(ways <= s.ways, "each way once");
        FuzzCheck(map.CellsLastRead() <= map.CellCount(), "cells of the grid only");
    }
    // Every label's names, shown and English, lie within the file's names.
    map.Topo().ForEachLabel(
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, ~0u, [&](const TopoLabel& l) {
            for (std::string_view name : {map.Topo().Name(l), map.Topo().EnglishName(l)})
                if (!name.empty()) {
                    volatile char last = name.back();
                    (void)last;
                }
        });
    WalkingNetwork network;
    if (!network.Read(map, error) || network.Empty())
        return 0;
    RoutePlanner planner(network);
    const double lat = s.bounds.minLat * 1e-6, lon = s.bounds.minLon * 1e-6;
    planner.Plan(
        {{{lat, lon}, {s.bounds.maxLat * 1e-6, s.bounds.maxLon * 1e-6}}, RouteMode::Hiking, 6});
    // From the middle of the first edge to the middle of the last, the
    // islands rule aside.
    RouteSearch search(network);
    const uint32_t last = network.EdgeCount() - 1;
    const NetworkSnap from{0, 0, 0.5, lat, lon, 0};
    const NetworkSnap to{last, network.PointCount(last) - 2, 0.5, lat, lon, 0};
    for (RouteMode mode : {RouteMode::Shortest, RouteMode::Hiking}) {
        SearchLeg leg;
        if (search.Find(from, to, mode, 6, nullptr, nullptr, leg) == RouteSearch::Outcome::Found) {
            std::vector<RoutePoint> path;
            for (uint32_t link : leg.links)
                AppendEdgePoints(network, link >> 1, 0, network.PointCount(link >> 1) - 1.0, path);
            FuzzCheck(leg.cost >= 0, "a route costs nothing less than nothing");
        }
    }
    return 0;
}
