#include "route/RouteSearch.h"

#include "course/Tobler.h"
#include "geo/SphericalGeometry.h"
#include "route/Landmarks.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace hw {
namespace {

constexpr uint32_t kSeed = std::numeric_limits<uint32_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The stored costs are float: the bound stays below them by more than
// their rounding.
constexpr double kBoundMargin = 1 - 1e-4;
constexpr uint32_t kCancelCheckEvery = 1024;

bool HeapOrder(const std::pair<float, uint32_t>& a, const std::pair<float, uint32_t>& b)
{
    return a.first > b.first;
}

} // namespace

RouteSearch::RouteSearch(const WalkingNetwork& network)
    : network_(network), state_(network.NodeCount())
{
}

uint64_t RouteSearch::MemoryBytes() const
{
    return state_.capacity() * sizeof(NodeState) + heap_.capacity() * sizeof(heap_[0]);
}

void RouteSearch::NextStamp()
{
    if (++stamp_ >= (1u << 31)) {
        for (NodeState& s : state_)
            s.stamp = 0;
        stamp_ = 1;
    }
}

double RouteSearch::PartCost(uint32_t edge, double from, double to, RouteMode mode)
{
    scratch_.clear();
    AppendEdgePoints(network_, edge, from, to, scratch_);
    const RouteFigures f = RouteFigures::Of(scratch_);
    return mode == RouteMode::Shortest ? f.lengthM : f.timeS;
}

void RouteSearch::Reach(uint32_t node, double g, uint32_t parent)
{
    NodeState& s = state_[node];
    if (s.stamp >> 1 != stamp_) {
        const RoadPoint p = network_.Node(node);
        double h = DistanceKm(p.lat * 1e-6, p.lon * 1e-6, targetLat_, targetLon_) * hScale_;
        if (landmarks_) {
            const double viaGoal = std::min(landmarks_->LowerBound(node, goal_[0]) + into_[0],
                                            landmarks_->LowerBound(node, goal_[1]) + into_[1]);
            h = std::max(h, viaGoal * kBoundMargin);
        }
        s.h = static_cast<float>(h);
        s.stamp = stamp_ << 1;
    } else if (s.stamp & 1 || g >= s.g) {
        return;
    }
    s.g = static_cast<float>(g);
    s.parent = parent;
    heap_.emplace_back(static_cast<float>(g + s.h), node);
    std::push_heap(heap_.begin(), heap_.end(), HeapOrder);
}

RouteSearch::Outcome RouteSearch::Find(const NetworkSnap& from, const NetworkSnap& to,
                                       RouteMode mode, int maxDifficulty,
                                       const Landmarks* landmarks, const std::atomic<bool>* cancel,
                                       SearchLeg& leg)
{
    leg = SearchLeg();
    settled_ = 0;
    NextStamp();
    heap_.clear();
    targetLat_ = to.lat, targetLon_ = to.lon;
    hScale_ = (mode == RouteMode::Shortest ? 1000.0 : 3600.0 / kToblerMaxSpeedKmh) * kBoundMargin;

    const WalkingNetwork::Edge& e0 = network_.EdgeAt(from.edge);
    const WalkingNetwork::Edge& e1 = network_.EdgeAt(to.edge);
    const double p0 = PlaceOn(from), p1 = PlaceOn(to);
    const double end0 = network_.PointCount(from.edge) - 1.0;
    const double end1 = network_.PointCount(to.edge) - 1.0;
    double best = kInfinity;
    if (from.edge == to.edge) {
        best = PartCost(from.edge, p0, p1, mode);
        leg.direct = true;
    }
    // The end's edge entered at its "from" node or at its "to" node.
    const double intoFrom = PartCost(to.edge, 0, p1, mode);
    const double intoTo = PartCost(to.edge, end1, p1, mode);
    landmarks_ = landmarks;
    goal_[0] = e1.from, goal_[1] = e1.to;
    into_[0] = intoFrom, into_[1] = intoTo;
    uint32_t bestNode = kSeed;
    Reach(e0.from, PartCost(from.edge, p0, 0, mode), kSeed);
    Reach(e0.to, PartCost(from.edge, p0, end0, mode), kSeed);

    while (!heap_.empty()) {
        std::pop_heap(heap_.begin(), heap_.end(), HeapOrder);
        const auto [f, node] = heap_.back();
        heap_.pop_back();
        NodeState& s = state_[node];
        if (s.stamp & 1)
            continue;
        if (f >= best)
            break;
        s.stamp |= 1;
        if (++settled_ % kCancelCheckEvery == 0 && cancel &&
            cancel->load(std::memory_order_relaxed))
            return Outcome::Cancelled;
        const double g = s.g;
        for (double into :
             {node == e1.from ? intoFrom : kInfinity, node == e1.to ? intoTo : kInfinity})
            if (g + into < best) {
                best = g + into;
                bestNode = node;
                leg.direct = false;
            }
        for (const uint32_t* l = network_.LinksBegin(node); l != network_.LinksEnd(node); ++l) {
            const uint32_t e = *l >> 1;
            const bool backward = *l & 1;
            const WalkingNetwork::Edge& edge = network_.EdgeAt(e);
            if (edge.difficulty > maxDifficulty)
                continue;
            const double cost =
                mode == RouteMode::Shortest ? edge.lengthM : network_.Seconds(e, backward);
            Reach(backward ? edge.from : edge.to, g + cost, *l);
        }
    }
    if (best == kInfinity)
        return Outcome::NoRoute;
    leg.cost = best;
    if (leg.direct)
        return Outcome::Found;
    leg.lastNode = bestNode;
    for (uint32_t node = bestNode; state_[node].parent != kSeed;) {
        const uint32_t link = state_[node].parent;
        leg.links.push_back(link);
        const WalkingNetwork::Edge& edge = network_.EdgeAt(link >> 1);
        node = link & 1 ? edge.to : edge.from;
    }
    std::reverse(leg.links.begin(), leg.links.end());
    if (leg.links.empty()) {
        leg.firstNode = bestNode;
    } else {
        const WalkingNetwork::Edge& first = network_.EdgeAt(leg.links.front() >> 1);
        leg.firstNode = leg.links.front() & 1 ? first.to : first.from;
    }
    return Outcome::Found;
}

} // namespace hw
