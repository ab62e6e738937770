#pragma once

#include "geo/RoadPoint.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

class RoadMap;

// The height of the ground at a position in degrees, NaN where not known.
using HeightLookup = std::function<double(double latDeg, double lonDeg)>;

// The walking network: the points where walkable ways meet or end (its
// nodes), the pieces of way between two of them (its edges) with their
// shape points, difficulty and length, and optionally the height of every
// point. Edges are walked both ways. Read from and written to a section of
// the map file; the reader checks every count and index, so that a damaged
// section is refused rather than read out of bounds.
//
// The section (little-endian): node, edge and shape point counts, flags
// (bit 0: heights); the nodes as int32 microdegrees; per edge its two
// nodes, its number of shape points and its difficulty; the shape points in
// edge order; with heights, a float32 per node and then per shape point
// (NaN where the terrain has none).
class WalkingNetwork {
public:
    struct Edge {
        uint32_t from = 0, to = 0;
        float lengthM = 0;
        uint8_t difficulty = 0;
    };

    // From parts already checked (the builder's output).
    WalkingNetwork() = default;
    WalkingNetwork(std::vector<RoadPoint> nodes, std::vector<Edge> edges,
                   std::vector<uint32_t> shapeStart, std::vector<RoadPoint> shape);

    // false with a message (and an empty network) when the bytes are not a
    // sound section.
    bool Parse(std::string_view bytes, std::string& error);
    // The network of a map file, checked against the counts of its summary;
    // false with a message when the file has none or a damaged one.
    bool Read(const RoadMap& map, std::string& error);
    std::string SectionBytes() const;

    bool Empty() const { return edges_.empty(); }
    uint32_t NodeCount() const { return static_cast<uint32_t>(nodes_.size()); }
    uint32_t EdgeCount() const { return static_cast<uint32_t>(edges_.size()); }
    // Every point of every way: nodes and shape points.
    uint64_t WayNodeCount() const { return nodes_.size() + shape_.size(); }
    bool HasHeights() const { return !nodeHeights_.empty(); }
    // Bytes held in memory, for the benchmarks.
    uint64_t MemoryBytes() const;

    // The heights of every point from the terrain, replacing those stored.
    void LookUpHeights(const HeightLookup& heightAt);
    // Leaves every point without a height.
    void ClearHeights();

    const RoadPoint& Node(uint32_t n) const { return nodes_[n]; }
    const Edge& EdgeAt(uint32_t e) const { return edges_[e]; }
    // The edges at a node, each as edge << 1 | 1 when it is walked from its
    // "to" end.
    const uint32_t* LinksBegin(uint32_t n) const { return links_.data() + linkStart_[n]; }
    const uint32_t* LinksEnd(uint32_t n) const { return links_.data() + linkStart_[n + 1]; }
    // The seconds to walk an edge by Tobler's function, forward or back.
    float Seconds(uint32_t e, bool backward) const { return seconds_[2 * e + backward]; }

    // The points of an edge from its "from" node to its "to" node:
    // PointCount(e) of them, the nodes at both ends included.
    uint32_t PointCount(uint32_t e) const { return shapeStart_[e + 1] - shapeStart_[e] + 2; }
    RoadPoint PointAt(uint32_t e, uint32_t i) const;
    // NaN where not known.
    double HeightAt(uint32_t e, uint32_t i) const;

private:
    void Clear();
    // Links, lengths and times from the nodes, edges and heights.
    void Prepare();
    void ComputeSeconds();

    std::vector<RoadPoint> nodes_;
    std::vector<Edge> edges_;
    std::vector<uint32_t> shapeStart_; // per edge into shape_, one more at the end
    std::vector<RoadPoint> shape_;
    std::vector<float> nodeHeights_, shapeHeights_; // empty without heights
    std::vector<uint32_t> linkStart_, links_;
    std::vector<float> seconds_; // per edge forward, backward
};

} // namespace hw
