#include "route/WalkingNetworkBuilder.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace hw {
namespace {

constexpr uint32_t kNoNode = std::numeric_limits<uint32_t>::max();

// Interleaves the bits of a point's coordinates: points near each other get
// numbers near each other.
uint64_t MortonCode(const RoadPoint& p)
{
    auto spread = [](uint32_t v) {
        uint64_t x = v;
        x = (x | x << 16) & 0x0000FFFF0000FFFFull;
        x = (x | x << 8) & 0x00FF00FF00FF00FFull;
        x = (x | x << 4) & 0x0F0F0F0F0F0F0F0Full;
        x = (x | x << 2) & 0x3333333333333333ull;
        x = (x | x << 1) & 0x5555555555555555ull;
        return x;
    };
    const auto lat = static_cast<uint32_t>(p.lat + 90000000);
    const auto lon = static_cast<uint32_t>(p.lon + 180000000);
    return spread(lon) | spread(lat) << 1;
}

} // namespace

void WalkingNetworkBuilder::AddWay(std::span<const WayNode> nodes, int difficulty)
{
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= nodes.size(); ++i)
        if (i == nodes.size() || !nodes[i].located) {
            if (i > begin)
                AddPiece(nodes.subspan(begin, i - begin), difficulty);
            begin = i + 1;
        }
}

void WalkingNetworkBuilder::AddPiece(std::span<const WayNode> nodes, int difficulty)
{
    const std::size_t start = ids_.size();
    for (const WayNode& n : nodes)
        if (ids_.size() == start || ids_.back() != n.id) { // a node repeated in a row once
            ids_.push_back(n.id);
            points_.push_back(n.point);
        }
    if (ids_.size() - start < 2) {
        ids_.resize(start);
        points_.resize(start);
        return;
    }
    if (ids_.size() >= kNoNode)
        throw std::length_error("too many way nodes for one walking network");
    wayStart_.push_back(static_cast<uint32_t>(ids_.size()));
    difficulty_.push_back(static_cast<uint8_t>(std::clamp(difficulty, 0, 6)));
}

WalkingNetwork WalkingNetworkBuilder::Build() const
{
    // The ids in order with the number of times the ways use each; the ends
    // of a way count twice, so that every end is a node of the network.
    std::vector<int64_t> ids(ids_);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    auto indexOf = [&](int64_t id) {
        return static_cast<std::size_t>(std::lower_bound(ids.begin(), ids.end(), id) - ids.begin());
    };
    std::vector<uint8_t> uses(ids.size(), 0);
    std::vector<uint32_t> firstSeen(ids.size(), kNoNode);
    const std::size_t ways = difficulty_.size();
    for (std::size_t w = 0; w < ways; ++w)
        for (uint32_t k = wayStart_[w]; k < wayStart_[w + 1]; ++k) {
            const std::size_t i = indexOf(ids_[k]);
            const bool end = k == wayStart_[w] || k + 1 == wayStart_[w + 1];
            uses[i] = static_cast<uint8_t>(std::min(2, uses[i] + (end ? 2 : 1)));
            if (firstSeen[i] == kNoNode)
                firstSeen[i] = k;
        }

    // The network's nodes in spatial order.
    std::vector<uint32_t> junctions;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (uses[i] >= 2)
            junctions.push_back(static_cast<uint32_t>(i));
    std::vector<uint64_t> codes(ids.size(), 0);
    for (uint32_t i : junctions)
        codes[i] = MortonCode(points_[firstSeen[i]]);
    std::sort(junctions.begin(), junctions.end(),
              [&](uint32_t a, uint32_t b) { return codes[a] < codes[b]; });
    std::vector<uint32_t> nodeOf(ids.size(), kNoNode);
    std::vector<RoadPoint> nodes(junctions.size());
    for (uint32_t n = 0; n < junctions.size(); ++n) {
        nodeOf[junctions[n]] = n;
        nodes[n] = points_[firstSeen[junctions[n]]];
    }

    // The edges between consecutive nodes of each way, with the way's points
    // between them.
    struct Piece {
        WalkingNetwork::Edge edge;
        uint32_t first, count; // shape points in points_
    };
    std::vector<Piece> pieces;
    for (std::size_t w = 0; w < ways; ++w) {
        uint32_t from = nodeOf[indexOf(ids_[wayStart_[w]])], fromAt = wayStart_[w];
        for (uint32_t k = wayStart_[w] + 1; k < wayStart_[w + 1]; ++k) {
            const uint32_t n = nodeOf[indexOf(ids_[k])];
            if (n == kNoNode)
                continue;
            WalkingNetwork::Edge edge;
            edge.from = from, edge.to = n, edge.difficulty = difficulty_[w];
            pieces.push_back({edge, fromAt + 1, k - fromAt - 1});
            from = n, fromAt = k;
        }
    }
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.edge.from < b.edge.from; });
    std::vector<WalkingNetwork::Edge> edges;
    std::vector<uint32_t> shapeStart{0};
    std::vector<RoadPoint> shape;
    edges.reserve(pieces.size());
    shapeStart.reserve(pieces.size() + 1);
    for (const Piece& p : pieces) {
        edges.push_back(p.edge);
        shape.insert(shape.end(), points_.begin() + p.first, points_.begin() + p.first + p.count);
        shapeStart.push_back(static_cast<uint32_t>(shape.size()));
    }
    return WalkingNetwork(std::move(nodes), std::move(edges), std::move(shapeStart),
                          std::move(shape));
}

} // namespace hw
