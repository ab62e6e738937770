#pragma once

#include "route/Landmarks.h"
#include "route/NetworkSnapper.h"
#include "route/RoutePath.h"
#include "route/RouteSearch.h"
#include "route/WalkingNetwork.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

namespace hw {

// A position in degrees.
struct RouteStop {
    double lat = 0, lon = 0;
};

// What to plan: a start, via points in order, an end; the mode and the
// highest difficulty (0..6) the route may use.
struct RouteRequest {
    std::vector<RouteStop> stops;
    RouteMode mode = RouteMode::Shortest;
    int maxDifficulty = 3;
};

// A planned route: its points (the snapped start, every point of the ways
// walked, the snapped end), their figures, and how far each stop lay from
// the network. Without a route, why not, and for TooFar which stop.
struct RoutePlan {
    enum class Status { Found, NoRoute, TooFar, Cancelled };
    Status status = Status::NoRoute;
    std::size_t farStop = 0;
    std::vector<RoutePoint> path;
    RouteFigures figures;
    std::vector<double> snapM;
};

// Plans routes on a walking network: snaps the stops, searches each leg
// and joins them. Meant to run beside the user interface's thread: Plan
// gives up soon after *cancel turns true. The network must outlive the
// planner and stay unchanged while it plans; one Plan at a time per
// planner (a planner per thread for more).
class RoutePlanner {
public:
    // Measures the landmarks of both modes: a few searches over the whole
    // network, best made beside the user interface's thread too.
    explicit RoutePlanner(const WalkingNetwork& network);

    RoutePlan Plan(const RouteRequest& request, const std::atomic<bool>* cancel = nullptr);
    // Bytes of the planner's own data (snapping grid, search arrays).
    uint64_t MemoryBytes() const;

private:
    void AppendLeg(const NetworkSnap& from, const NetworkSnap& to, const SearchLeg& leg,
                   std::vector<RoutePoint>& path) const;

    const WalkingNetwork& network_;
    NetworkSnapper snapper_;
    Landmarks shortest_, hiking_;
    RouteSearch search_;
};

} // namespace hw
