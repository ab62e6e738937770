#include "basemap/RoadMap.h"

#include "base/JsonWriter.h"
#include "base/ReadFile.h"
#include "basemap/MapFileBytes.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace hw {
namespace {

constexpr char kMagic[8] = {'H', 'W', 'R', 'O', 'A', 'D', 'S', '\0'};
constexpr std::size_t kMaxFileBytes = std::size_t{4} << 30;
constexpr std::size_t kHeaderBytes = 8 + 4 + 16 + 4 * kRoadClassCount + 4 + 8 + 4 + 4 + 4;
constexpr std::size_t kWayBytes = 4 + 4 + 4 + 16;

struct NamedClass {
    const char* value;
    int roadClass;
};
constexpr NamedClass kHighwayClasses[] = {
    {"motorway", 0},      {"motorway_link", 0}, {"trunk", 1},        {"trunk_link", 1},
    {"primary", 2},       {"primary_link", 2},  {"secondary", 3},    {"secondary_link", 3},
    {"tertiary", 4},      {"tertiary_link", 4}, {"unclassified", 5}, {"residential", 5},
    {"living_street", 5}, {"road", 5},          {"service", 6},      {"track", 7},
    {"path", 8},          {"footway", 8},       {"bridleway", 8},    {"cycleway", 8},
    {"steps", 8},         {"pedestrian", 8},
};
constexpr const char* kRailways[] = {"rail", "light_rail", "narrow_gauge"};

using map_file::CellGrid;
using map_file::ValidBox;

} // namespace

int RoadClassOf(std::string_view highway, std::string_view railway)
{
    if (!highway.empty())
        for (const NamedClass& c : kHighwayClasses)
            if (highway == c.value)
                return c.roadClass;
    if (!railway.empty())
        for (const char* r : kRailways)
            if (railway == r)
                return 9;
    return -1;
}

std::string RoadMapSummary::Json() const
{
    std::string out;
    JsonWriter j(out);
    j.BeginObject().Key("ways").UInt(ways).Key("nodes").UInt(nodes).Key("classes").BeginArray();
    for (uint32_t c : classes)
        j.UInt(c);
    j.EndArray()
        .Key("bounds")
        .BeginObject()
        .Key("minlat")
        .Real(bounds.minLat * 1e-6, 6)
        .Key("minlon")
        .Real(bounds.minLon * 1e-6, 6)
        .Key("maxlat")
        .Real(bounds.maxLat * 1e-6, 6)
        .Key("maxlon")
        .Real(bounds.maxLon * 1e-6, 6)
        .EndObject();
    auto counts = [&](const char* key, const auto& values) {
        j.Key(key).BeginArray();
        for (uint32_t v : values)
            j.UInt(v);
        j.EndArray();
    };
    counts("areas", areas);
    counts("lines", lines);
    counts("points", points);
    j.Key("broken_areas").UInt(brokenAreas);
    j.Key("graph").BeginObject().Key("nodes").UInt(graphNodes).Key("edges").UInt(graphEdges);
    j.EndObject().EndObject();
    return out;
}

void RoadMapWriter::AddWay(int roadClass, const std::vector<RoadPoint>& points)
{
    if (roadClass < 0 || roadClass >= kRoadClassCount || points.size() < 2)
        return;
    Way way{static_cast<uint8_t>(roadClass),
            static_cast<uint32_t>(points_.size()),
            static_cast<uint32_t>(points.size()),
            {points[0].lat, points[0].lon, points[0].lat, points[0].lon}};
    for (const RoadPoint& p : points) {
        way.box.minLat = std::min(way.box.minLat, p.lat);
        way.box.maxLat = std::max(way.box.maxLat, p.lat);
        way.box.minLon = std::min(way.box.minLon, p.lon);
        way.box.maxLon = std::max(way.box.maxLon, p.lon);
    }
    points_.insert(points_.end(), points.begin(), points.end());
    RoadBox& b = summary_.bounds;
    if (ways_.empty())
        b = way.box;
    b = {std::min(b.minLat, way.box.minLat), std::min(b.minLon, way.box.minLon),
         std::max(b.maxLat, way.box.maxLat), std::max(b.maxLon, way.box.maxLon)};
    ways_.push_back(way);
    ++summary_.ways;
    summary_.nodes += points.size();
    ++summary_.classes[static_cast<std::size_t>(roadClass)];
}

void RoadMapWriter::SetNetwork(std::string section, uint32_t nodes, uint32_t edges)
{
    network_ = std::move(section);
    summary_.graphNodes = nodes;
    summary_.graphEdges = edges;
}

RoadMapSummary RoadMapWriter::Summary() const
{
    RoadMapSummary s = summary_;
    const TopoCounts& topo = topo_.Counts();
    s.areas = topo.areas;
    s.lines = topo.lines;
    s.points = topo.points;
    s.brokenAreas = topo.brokenAreas;
    RoadBox box;
    if (topo_.Bounds(box))
        s.bounds = ways_.empty() ? box
                                 : RoadBox{std::min(s.bounds.minLat, box.minLat),
                                           std::min(s.bounds.minLon, box.minLon),
                                           std::max(s.bounds.maxLat, box.maxLat),
                                           std::max(s.bounds.maxLon, box.maxLon)};
    return s;
}

std::string RoadMapWriter::Bytes(uint32_t version) const
{
    RoadMapSummary summary = version == kRoadsOnly ? summary_ : Summary();
    if (version < kWalkingNetwork)
        summary.graphNodes = summary.graphEdges = 0;
    const CellGrid grid = CellGrid::For(summary.bounds);
    // Each cell lists the ways whose boxes reach into it.
    std::vector<uint32_t> start, cellWays;
    grid.Index(
        static_cast<uint32_t>(ways_.size()),
        [&](uint32_t w) -> const RoadBox& { return ways_[w].box; }, start, cellWays);

    map_file::ByteWriter out;
    out.Bytes(kMagic, sizeof kMagic);
    out.U32(version);
    out.Box(summary.bounds);
    for (uint32_t c : summary.classes)
        out.U32(c);
    out.U32(summary.ways);
    out.U64(summary.nodes);
    out.I32(grid.cellSize);
    out.U32(grid.cols);
    out.U32(grid.rows);
    for (const Way& way : ways_) {
        out.U32(way.roadClass);
        out.U32(way.first);
        out.U32(way.count);
        out.Box(way.box);
    }
    for (const RoadPoint& p : points_)
        out.I32(p.lat), out.I32(p.lon);
    for (uint32_t s : start)
        out.U32(s);
    for (uint32_t w : cellWays)
        out.U32(w);
    if (version != kRoadsOnly)
        topo_.Write(out, grid, version >= kEnglishNames);
    if (version >= kWalkingNetwork) {
        out.U32(summary.graphNodes);
        out.U32(summary.graphEdges);
        out.U64(network_.size());
        out.Bytes(network_.data(), network_.size());
    }
    return std::move(out.Text());
}

bool RoadMap::Load(const std::string& path, std::string& error)
{
    std::string bytes;
    if (!ReadWholeFile(path, kMaxFileBytes, bytes)) {
        Clear();
        error = "cannot read the map file '" + path + "'";
        return false;
    }
    return Parse(bytes, error);
}

void RoadMap::Clear()
{
    *this = RoadMap();
}

bool RoadMap::Parse(std::string_view bytes, std::string& error)
{
    Clear();
    auto fail = [&](const char* why) {
        Clear();
        error = std::string("not a road map file, or a damaged one: ") + why;
        return false;
    };
    map_file::ByteReader in(bytes);
    if (!in.Has(kHeaderBytes) || std::memcmp(in.Here(), kMagic, sizeof kMagic) != 0)
        return fail("no map header");
    in.Skip(sizeof kMagic);
    const uint32_t version = in.U32();
    if (version < RoadMapWriter::kRoadsOnly || version > RoadMapWriter::kWalkingNetwork)
        return fail("unknown version");
    RoadMapSummary s;
    s.bounds = in.Box();
    uint64_t classSum = 0;
    for (uint32_t& c : s.classes)
        classSum += c = in.U32();
    s.ways = in.U32();
    s.nodes = in.U64();
    cellSize_ = in.I32();
    cols_ = in.U32();
    rows_ = in.U32();
    if (classSum != s.ways || !ValidBox(s.bounds))
        return fail("inconsistent header");
    const CellGrid grid = CellGrid::For(s.bounds);
    if (cellSize_ != grid.cellSize || cols_ != grid.cols || rows_ != grid.rows)
        return fail("inconsistent grid");
    const uint64_t cells = uint64_t{cols_} * rows_;
    if (s.nodes > bytes.size() / 8 || !in.Has(s.ways * kWayBytes) ||
        !in.Has(s.ways * kWayBytes + s.nodes * 8 + (cells + 1) * 4))
        return fail("truncated");
    ways_.resize(s.ways);
    uint64_t next = 0;
    for (Way& way : ways_) {
        uint32_t cls = in.U32();
        way.first = in.U32();
        way.count = in.U32();
        way.box = in.Box();
        if (cls >= kRoadClassCount || way.first != next || way.count < 2 || !ValidBox(way.box))
            return fail("bad way");
        way.roadClass = static_cast<uint8_t>(cls);
        next += way.count;
    }
    if (next != s.nodes)
        return fail("point count");
    points_.resize(s.nodes);
    if (s.nodes > 0)
        std::memcpy(points_.data(), in.Here(), s.nodes * 8);
    in.Skip(s.nodes * 8);
    cellStart_.resize(cells + 1);
    for (uint32_t& c : cellStart_)
        c = in.U32();
    for (std::size_t i = 1; i < cellStart_.size(); ++i)
        if (cellStart_[i] < cellStart_[i - 1])
            return fail("cell table");
    if (cellStart_[0] != 0 || !in.Has(uint64_t{cellStart_.back()} * 4))
        return fail("truncated");
    cellWays_.resize(cellStart_.back());
    for (uint32_t& w : cellWays_)
        if ((w = in.U32()) >= s.ways)
            return fail("cell table");
    if (version >= RoadMapWriter::kTopographic) {
        std::string why;
        if (!topo_.Parse(in, grid, version >= RoadMapWriter::kEnglishNames, why))
            return fail(why.c_str());
        const TopoCounts& topo = topo_.Counts();
        s.areas = topo.areas;
        s.lines = topo.lines;
        s.points = topo.points;
        s.brokenAreas = topo.brokenAreas;
    }
    if (version >= RoadMapWriter::kWalkingNetwork) {
        // The section itself is the routing's to read and check.
        if (!in.Has(16))
            return fail("truncated");
        s.graphNodes = in.U32();
        s.graphEdges = in.U32();
        const uint64_t size = in.U64();
        if (!in.Has(size) || (size == 0) != (s.graphEdges == 0))
            return fail("walking network");
        network_.assign(in.Here(), size);
        in.Skip(size);
    }
    if (!in.AtEnd())
        return fail("trailing bytes");
    seen_.assign(s.ways, 0);
    summary_ = s;
    return true;
}

void RoadMap::NextStamp() const
{
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
}

RoadMap::CellRange RoadMap::Cells(const RoadBox& area) const
{
    CellRange r;
    const RoadBox& b = summary_.bounds;
    if (Empty() || !area.Overlaps(b))
        return r;
    auto clampCell = [&](int32_t v, int32_t origin, uint32_t n) {
        int64_t c = (int64_t{v} - origin) / cellSize_;
        return static_cast<uint32_t>(std::clamp<int64_t>(c, 0, int64_t{n} - 1));
    };
    r.empty = false;
    r.row0 = clampCell(area.minLat, b.minLat, rows_);
    r.row1 = clampCell(area.maxLat, b.minLat, rows_);
    r.col0 = clampCell(area.minLon, b.minLon, cols_);
    r.col1 = clampCell(area.maxLon, b.minLon, cols_);
    return r;
}

} // namespace hw
