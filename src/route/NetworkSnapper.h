#pragma once

#include "route/WalkingNetwork.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace hw {

// A position snapped onto the network: the foot of the perpendicular on
// one segment of an edge, t along it from its point `segment` to the next.
struct NetworkSnap {
    uint32_t edge = 0;
    uint32_t segment = 0;
    double t = 0;
    double lat = 0, lon = 0; // degrees
    double distanceM = 0;    // from the position, by DistanceKm
};

// Snaps positions onto the walkable ways of a network within a difficulty
// limit: the nearest point of a segment, found through a grid of cells
// over the network. Pieces of the network with less than kMinIslandKm of
// way in all (under the limit) are left out, so that a start never lands
// on a courtyard no way leads out of.
class NetworkSnapper {
public:
    static constexpr double kMinIslandKm = 2.0;
    static constexpr double kMaxSnapKm = 5.0;

    explicit NetworkSnapper(const WalkingNetwork& network);

    // The nearest point within kMaxSnapKm, or nothing.
    std::optional<NetworkSnap> Snap(double latDeg, double lonDeg, int maxDifficulty) const;
    // Whether an edge may be snapped to under a limit.
    bool Snappable(uint32_t edge, int maxDifficulty) const;
    uint64_t MemoryBytes() const;

private:
    void FindIslands();
    void BuildGrid();

    const WalkingNetwork& network_;
    std::vector<uint8_t> onMainland_; // per node, bit d: in a large piece under limit d
    RoadBox bounds_;
    int32_t cellSize_ = 1; // microdegrees
    uint32_t cols_ = 0, rows_ = 0;
    double cellKm_ = 0; // the shortest side of a cell
    std::vector<uint32_t> cellStart_, cellEdges_;
};

} // namespace hw
