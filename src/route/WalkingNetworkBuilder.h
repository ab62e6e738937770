#pragma once

#include "geo/RoadPoint.h"
#include "route/WalkingNetwork.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hw {

// One node of an OpenStreetMap way: its id and position; a node missing
// from the extract has no position.
struct WayNode {
    int64_t id = 0;
    RoadPoint point;
    bool located = true;
};

// Builds the walking network from the walkable ways of an extract. Ways meet
// where they share a node; a node where ways meet or end becomes a node of
// the network, the way between two of them an edge. Nodes are numbered in
// spatial order and edges by their first node, so that a search reads
// memory that lies together.
class WalkingNetworkBuilder {
public:
    // A way of a difficulty (0..6). A way is cut where a node is missing
    // from the extract: a walker cannot cross what the map does not know.
    void AddWay(std::span<const WayNode> nodes, int difficulty);
    uint64_t WayNodeCount() const { return ids_.size(); }
    WalkingNetwork Build() const;

private:
    void AddPiece(std::span<const WayNode> nodes, int difficulty);

    std::vector<int64_t> ids_;
    std::vector<RoadPoint> points_;
    std::vector<uint32_t> wayStart_{0};
    std::vector<uint8_t> difficulty_;
};

} // namespace hw
