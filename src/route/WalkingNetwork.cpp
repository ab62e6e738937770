#include "route/WalkingNetwork.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "basemap/RoadMap.h"
#include "course/Tobler.h"
#include "geo/SphericalGeometry.h"
#include "route/WalkableWay.h"

#include <cmath>
#include <cstring>

namespace hw {
namespace {

constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kEdgeBytes = 16;
constexpr uint32_t kHasHeights = 1;
// No ground lies further from sea level than this; a height beyond it is damage.
constexpr float kMaxAbsHeight = 20000;

double SegmentKm(const RoadPoint& a, const RoadPoint& b)
{
    return DistanceKm(a.lat * 1e-6, a.lon * 1e-6, b.lat * 1e-6, b.lon * 1e-6);
}

bool ValidPoint(const RoadPoint& p)
{
    return p.lat >= -90000000 && p.lat <= 90000000 && p.lon >= -180000000 && p.lon <= 180000000;
}

bool ValidHeight(float h)
{
    return std::isnan(h) || std::fabs(h) <= kMaxAbsHeight;
}

} // namespace

WalkingNetwork::WalkingNetwork(std::vector<RoadPoint> nodes, std::vector<Edge> edges,
                               std::vector<uint32_t> shapeStart, std::vector<RoadPoint> shape)
    : nodes_(std::move(nodes)), edges_(std::move(edges)), shapeStart_(std::move(shapeStart)),
      shape_(std::move(shape))
{
    if (shapeStart_.empty())
        shapeStart_.push_back(0);
    Prepare();
}

void WalkingNetwork::Clear()
{
    *this = WalkingNetwork();
    shapeStart_.assign(1, 0);
    linkStart_.assign(1, 0);
}

bool WalkingNetwork::Parse(std::string_view bytes, std::string& error)
{
    Clear();
    auto fail = [&](const char* why) {
        Clear();
        error = std::string("damaged walking network: ") + why;
        return false;
    };
    ByteReader in(bytes);
    if (!in.Has(kHeaderBytes))
        return fail("truncated");
    const uint64_t nodes = in.U32(), edges = in.U32(), shapes = in.U32();
    const uint32_t flags = in.U32();
    if (flags > kHasHeights)
        return fail("unknown flags");
    const uint64_t heights = flags & kHasHeights ? nodes + shapes : 0;
    const uint64_t need = nodes * 8 + edges * kEdgeBytes + shapes * 8 + heights * 4;
    if (!in.Has(need))
        return fail("truncated");
    if (in.Has(need + 1))
        return fail("trailing bytes");
    nodes_.resize(nodes);
    for (RoadPoint& p : nodes_) {
        p.lat = in.I32(), p.lon = in.I32();
        if (!ValidPoint(p))
            return fail("node outside the globe");
    }
    edges_.resize(edges);
    shapeStart_.resize(edges + 1);
    uint64_t shapeSum = 0;
    for (uint64_t e = 0; e < edges; ++e) {
        Edge& edge = edges_[e];
        edge.from = in.U32(), edge.to = in.U32();
        const uint32_t count = in.U32(), difficulty = in.U32();
        if (edge.from >= nodes || edge.to >= nodes || difficulty > kMaxDifficulty)
            return fail("bad edge");
        edge.difficulty = static_cast<uint8_t>(difficulty);
        shapeStart_[e] = static_cast<uint32_t>(shapeSum);
        shapeSum += count;
        if (shapeSum > shapes)
            return fail("shape point count");
    }
    if (shapeSum != shapes)
        return fail("shape point count");
    shapeStart_[edges] = static_cast<uint32_t>(shapes);
    shape_.resize(shapes);
    for (RoadPoint& p : shape_) {
        p.lat = in.I32(), p.lon = in.I32();
        if (!ValidPoint(p))
            return fail("shape point outside the globe");
    }
    if (heights > 0) {
        nodeHeights_.resize(nodes);
        shapeHeights_.resize(shapes);
        for (std::vector<float>* v : {&nodeHeights_, &shapeHeights_})
            for (float& h : *v)
                if (!ValidHeight(h = in.F32()))
                    return fail("height");
    }
    Prepare();
    return true;
}

bool WalkingNetwork::Read(const RoadMap& map, std::string& error)
{
    Clear();
    if (map.NetworkSection().empty()) {
        error = "the map file has no walking network: import it again with map-import";
        return false;
    }
    if (!Parse(map.NetworkSection(), error))
        return false;
    if (NodeCount() != map.Summary().graphNodes || EdgeCount() != map.Summary().graphEdges) {
        Clear();
        error = "damaged walking network: counts differ from the map's summary";
        return false;
    }
    return true;
}

std::string WalkingNetwork::SectionBytes() const
{
    ByteWriter out;
    out.U32(NodeCount());
    out.U32(EdgeCount());
    out.U32(static_cast<uint32_t>(shape_.size()));
    out.U32(HasHeights() ? kHasHeights : 0);
    for (const RoadPoint& p : nodes_)
        out.I32(p.lat), out.I32(p.lon);
    for (uint32_t e = 0; e < EdgeCount(); ++e) {
        out.U32(edges_[e].from);
        out.U32(edges_[e].to);
        out.U32(shapeStart_[e + 1] - shapeStart_[e]);
        out.U32(edges_[e].difficulty);
    }
    for (const RoadPoint& p : shape_)
        out.I32(p.lat), out.I32(p.lon);
    if (HasHeights())
        for (const std::vector<float>* v : {&nodeHeights_, &shapeHeights_})
            for (float h : *v)
                out.F32(h);
    return std::move(out.Text());
}

uint64_t WalkingNetwork::MemoryBytes() const
{
    auto bytes = [](const auto& v) { return uint64_t{v.capacity()} * sizeof(v[0]); };
    return bytes(nodes_) + bytes(edges_) + bytes(shapeStart_) + bytes(shape_) +
           bytes(nodeHeights_) + bytes(shapeHeights_) + bytes(linkStart_) + bytes(links_) +
           bytes(seconds_);
}

RoadPoint WalkingNetwork::PointAt(uint32_t e, uint32_t i) const
{
    if (i == 0)
        return nodes_[edges_[e].from];
    const uint32_t inner = shapeStart_[e + 1] - shapeStart_[e];
    return i > inner ? nodes_[edges_[e].to] : shape_[shapeStart_[e] + i - 1];
}

double WalkingNetwork::HeightAt(uint32_t e, uint32_t i) const
{
    if (!HasHeights())
        return std::nan("");
    if (i == 0)
        return nodeHeights_[edges_[e].from];
    const uint32_t inner = shapeStart_[e + 1] - shapeStart_[e];
    return i > inner ? nodeHeights_[edges_[e].to] : shapeHeights_[shapeStart_[e] + i - 1];
}

void WalkingNetwork::LookUpHeights(const HeightLookup& heightAt)
{
    auto look = [&](const std::vector<RoadPoint>& points, std::vector<float>& heights) {
        heights.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double h = heightAt(points[i].lat * 1e-6, points[i].lon * 1e-6);
            heights[i] = std::isfinite(h) && std::fabs(h) <= kMaxAbsHeight ? static_cast<float>(h)
                                                                           : std::nanf("");
        }
    };
    look(nodes_, nodeHeights_);
    look(shape_, shapeHeights_);
    ComputeSeconds();
}

void WalkingNetwork::ClearHeights()
{
    nodeHeights_.clear();
    shapeHeights_.clear();
    ComputeSeconds();
}

void WalkingNetwork::Prepare()
{
    const uint32_t n = NodeCount();
    linkStart_.assign(std::size_t{n} + 1, 0);
    for (const Edge& e : edges_)
        ++linkStart_[e.from + 1], ++linkStart_[e.to + 1];
    for (uint32_t i = 0; i < n; ++i)
        linkStart_[i + 1] += linkStart_[i];
    links_.resize(std::size_t{EdgeCount()} * 2);
    std::vector<uint32_t> fill(linkStart_.begin(), linkStart_.end() - 1);
    for (uint32_t e = 0; e < EdgeCount(); ++e) {
        links_[fill[edges_[e].from]++] = e << 1;
        links_[fill[edges_[e].to]++] = e << 1 | 1;
    }
    for (uint32_t e = 0; e < EdgeCount(); ++e) {
        double km = 0;
        for (uint32_t i = 1, count = PointCount(e); i < count; ++i)
            km += SegmentKm(PointAt(e, i - 1), PointAt(e, i));
        edges_[e].lengthM = static_cast<float>(km * 1000);
    }
    ComputeSeconds();
}

void WalkingNetwork::ComputeSeconds()
{
    seconds_.resize(std::size_t{EdgeCount()} * 2);
    for (uint32_t e = 0; e < EdgeCount(); ++e) {
        double forward = 0, backward = 0;
        for (uint32_t i = 1, count = PointCount(e); i < count; ++i) {
            const double km = SegmentKm(PointAt(e, i - 1), PointAt(e, i));
            const double rise = HeightAt(e, i) - HeightAt(e, i - 1);
            forward += ToblerSeconds(km * 1000.0, rise);
            backward += ToblerSeconds(km * 1000.0, -rise);
        }
        seconds_[2 * e] = static_cast<float>(forward);
        seconds_[2 * e + 1] = static_cast<float>(backward);
    }
}

} // namespace hw
