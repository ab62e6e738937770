#include "route/Landmarks.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>

namespace hw {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

Landmarks::Landmarks(const WalkingNetwork& network, RouteMode mode)
    : network_(network), mode_(mode), symmetric_(mode == RouteMode::Shortest)
{
    const uint32_t n = network.NodeCount();
    from_.assign(std::size_t{n} * kCount, kUnreached);
    if (!symmetric_)
        to_.assign(std::size_t{n} * kCount, kUnreached);
    if (n == 0)
        return;
    // Each landmark the node farthest from those chosen before, the first
    // the farthest from node 0.
    std::vector<double> nearest(n, kInfinity), cost;
    Measure(0, false, cost);
    uint32_t next = 0;
    for (uint32_t v = 0; v < n; ++v)
        if (cost[v] < kInfinity && cost[v] > cost[next])
            next = v;
    for (int l = 0; l < kCount; ++l) {
        Measure(next, false, cost);
        for (uint32_t v = 0; v < n; ++v) {
            from_[std::size_t{v} * kCount + l] = cost[v] < kInfinity ? float(cost[v]) : kUnreached;
            nearest[v] = std::min(nearest[v], cost[v]);
        }
        if (!symmetric_) {
            std::vector<double> back;
            Measure(next, true, back);
            for (uint32_t v = 0; v < n; ++v)
                to_[std::size_t{v} * kCount + l] =
                    back[v] < kInfinity ? float(back[v]) : kUnreached;
        }
        for (uint32_t v = 0; v < n; ++v)
            if (nearest[v] < kInfinity && nearest[v] > nearest[next])
                next = v;
    }
}

void Landmarks::Measure(uint32_t landmark, bool toward, std::vector<double>& cost) const
{
    cost.assign(network_.NodeCount(), kInfinity);
    using Item = std::pair<double, uint32_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    cost[landmark] = 0;
    queue.push({0, landmark});
    while (!queue.empty()) {
        const auto [c, u] = queue.top();
        queue.pop();
        if (c > cost[u])
            continue;
        for (const uint32_t* l = network_.LinksBegin(u); l != network_.LinksEnd(u); ++l) {
            const uint32_t e = *l >> 1;
            const bool backward = *l & 1;
            const WalkingNetwork::Edge& edge = network_.EdgeAt(e);
            // Toward the landmark: the edge walked the other way, into u.
            const double step = mode_ == RouteMode::Shortest
                                    ? edge.lengthM
                                    : network_.Seconds(e, backward != toward);
            const uint32_t w = backward ? edge.from : edge.to;
            if (c + step < cost[w]) {
                cost[w] = c + step;
                queue.push({cost[w], w});
            }
        }
    }
}

} // namespace hw
