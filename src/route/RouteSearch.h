#pragma once

#include "route/NetworkSnapper.h"
#include "route/RouteMode.h"
#include "route/RoutePath.h"
#include "route/WalkingNetwork.h"

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

namespace hw {

class Landmarks;

// The cheapest way between two snapped positions: the edges walked from the
// start's edge to the end's, each as edge << 1 | 1 when walked backward, or
// none when the way stays on one edge.
struct SearchLeg {
    std::vector<uint32_t> links;
    uint32_t firstNode = 0; // where the start's edge is left (without links: unused)
    uint32_t lastNode = 0;  // where the end's edge is entered
    bool direct = false;    // along the one edge both lie on
    double cost = 0;        // metres or seconds
};

// A* over the network from a snapped start to a snapped end, the lower
// bound the larger of the great-circle distance (over the fastest walking
// speed in hiking mode) and the landmarks' bound when given. Landmarks
// measured over all ways hold under any difficulty limit, so nothing is
// prepared per limit. Keeps its work arrays between searches; one search
// at a time.
class RouteSearch {
public:
    enum class Outcome { Found, NoRoute, Cancelled };

    explicit RouteSearch(const WalkingNetwork& network);

    Outcome Find(const NetworkSnap& from, const NetworkSnap& to, RouteMode mode, int maxDifficulty,
                 const Landmarks* landmarks, const std::atomic<bool>* cancel, SearchLeg& leg);
    // Nodes taken from the queue by the last search.
    uint32_t Settled() const { return settled_; }
    uint64_t MemoryBytes() const;

private:
    struct NodeState {
        float g = 0, h = 0;
        uint32_t parent = 0;
        uint32_t stamp = 0; // search number << 1 | closed
    };
    double PartCost(uint32_t edge, double from, double to, RouteMode mode);
    void Reach(uint32_t node, double g, uint32_t parent);
    void NextStamp();

    const WalkingNetwork& network_;
    std::vector<NodeState> state_;
    std::vector<std::pair<float, uint32_t>> heap_;
    std::vector<RoutePoint> scratch_;
    uint32_t stamp_ = 0;
    uint32_t settled_ = 0;
    double targetLat_ = 0, targetLon_ = 0, hScale_ = 0;
    const Landmarks* landmarks_ = nullptr;
    uint32_t goal_[2] = {0, 0};
    double into_[2] = {0, 0}; // from each goal node to the end
};

} // namespace hw
