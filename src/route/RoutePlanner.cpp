#include "route/RoutePlanner.h"

#include "route/WalkableWay.h"

#include <algorithm>

namespace hw {

RoutePlanner::RoutePlanner(const WalkingNetwork& network)
    : network_(network), snapper_(network), shortest_(network, RouteMode::Shortest),
      hiking_(network, RouteMode::Hiking), search_(network)
{
}

uint64_t RoutePlanner::MemoryBytes() const
{
    return snapper_.MemoryBytes() + shortest_.MemoryBytes() + hiking_.MemoryBytes() +
           search_.MemoryBytes();
}

RoutePlan RoutePlanner::Plan(const RouteRequest& request, const std::atomic<bool>* cancel)
{
    RoutePlan plan;
    const int limit = std::clamp(request.maxDifficulty, 0, kMaxDifficulty);
    std::vector<NetworkSnap> snaps;
    for (std::size_t i = 0; i < request.stops.size(); ++i) {
        const auto snap = snapper_.Snap(request.stops[i].lat, request.stops[i].lon, limit);
        if (!snap) {
            plan.status = RoutePlan::Status::TooFar;
            plan.farStop = i;
            return plan;
        }
        snaps.push_back(*snap);
        plan.snapM.push_back(snap->distanceM);
    }
    for (std::size_t i = 1; i < snaps.size(); ++i) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            plan.status = RoutePlan::Status::Cancelled;
            plan.path.clear();
            return plan;
        }
        SearchLeg leg;
        const Landmarks& landmarks = request.mode == RouteMode::Shortest ? shortest_ : hiking_;
        switch (
            search_.Find(snaps[i - 1], snaps[i], request.mode, limit, &landmarks, cancel, leg)) {
        case RouteSearch::Outcome::Found: AppendLeg(snaps[i - 1], snaps[i], leg, plan.path); break;
        case RouteSearch::Outcome::NoRoute:
            plan.status = RoutePlan::Status::NoRoute;
            plan.path.clear();
            return plan;
        case RouteSearch::Outcome::Cancelled:
            plan.status = RoutePlan::Status::Cancelled;
            plan.path.clear();
            return plan;
        }
    }
    if (snaps.size() == 1)
        AppendEdgePoints(network_, snaps[0].edge, PlaceOn(snaps[0]), PlaceOn(snaps[0]), plan.path);
    plan.status = snaps.empty() ? RoutePlan::Status::NoRoute : RoutePlan::Status::Found;
    plan.figures = RouteFigures::Of(plan.path);
    return plan;
}

void RoutePlanner::AppendLeg(const NetworkSnap& from, const NetworkSnap& to, const SearchLeg& leg,
                             std::vector<RoutePoint>& path) const
{
    const double p0 = PlaceOn(from), p1 = PlaceOn(to);
    if (leg.direct) {
        AppendEdgePoints(network_, from.edge, p0, p1, path);
        return;
    }
    const WalkingNetwork::Edge& e0 = network_.EdgeAt(from.edge);
    const double last0 = network_.PointCount(from.edge) - 1.0;
    AppendEdgePoints(network_, from.edge, p0, leg.firstNode == e0.from ? 0 : last0, path);
    for (uint32_t link : leg.links) {
        const uint32_t e = link >> 1;
        const double last = network_.PointCount(e) - 1.0;
        if (link & 1)
            AppendEdgePoints(network_, e, last, 0, path);
        else
            AppendEdgePoints(network_, e, 0, last, path);
    }
    const WalkingNetwork::Edge& e1 = network_.EdgeAt(to.edge);
    const double last1 = network_.PointCount(to.edge) - 1.0;
    AppendEdgePoints(network_, to.edge, leg.lastNode == e1.from ? 0 : last1, p1, path);
}

} // namespace hw
