#include "map/RoadMap.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/JsonWriter.h"
#include "base/ReadFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace hw {
namespace {

constexpr char kMagic[8] = {'H', 'W', 'R', 'O', 'A', 'D', 'S', '\0'};
constexpr uint32_t kVersion = 1;
// Grid cells: at least this size (about 1 km), and no more than this many
// columns or rows, so that a country's grid stays a few hundred kilobytes.
constexpr int32_t kMinCellSize = 10000;
constexpr uint32_t kMaxGridSide = 512;
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

void WriteBox(ByteWriter& out, const RoadBox& b)
{
    out.I32(b.minLat), out.I32(b.minLon), out.I32(b.maxLat), out.I32(b.maxLon);
}

RoadBox ReadBox(ByteReader& in)
{
    RoadBox b;
    b.minLat = in.I32(), b.minLon = in.I32(), b.maxLat = in.I32(), b.maxLon = in.I32();
    return b;
}

bool ValidBox(const RoadBox& b)
{
    return b.minLat <= b.maxLat && b.minLon <= b.maxLon && b.minLat >= -90000000 &&
           b.maxLat <= 90000000 && b.minLon >= -180000000 && b.maxLon <= 180000000;
}

// The grid over the bounds: cell size in microdegrees, columns and rows.
void GridFor(const RoadBox& bounds, int32_t& cellSize, uint32_t& cols, uint32_t& rows)
{
    int64_t span = std::max<int64_t>(int64_t{bounds.maxLat} - bounds.minLat,
                                     int64_t{bounds.maxLon} - bounds.minLon);
    cellSize = static_cast<int32_t>(std::max<int64_t>(kMinCellSize, span / kMaxGridSide + 1));
    cols = static_cast<uint32_t>((int64_t{bounds.maxLon} - bounds.minLon) / cellSize + 1);
    rows = static_cast<uint32_t>((int64_t{bounds.maxLat} - bounds.minLat) / cellSize + 1);
}

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
        .EndObject()
        .EndObject();
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

std::string RoadMapWriter::Bytes() const
{
    int32_t cellSize = 1;
    uint32_t cols = 0, rows = 0;
    GridFor(summary_.bounds, cellSize, cols, rows);
    const RoadBox& b = summary_.bounds;
    auto col = [&](int32_t lon) {
        return static_cast<uint32_t>((int64_t{lon} - b.minLon) / cellSize);
    };
    auto row = [&](int32_t lat) {
        return static_cast<uint32_t>((int64_t{lat} - b.minLat) / cellSize);
    };
    // Each cell lists the ways whose boxes reach into it.
    std::vector<uint32_t> start(std::size_t{cols} * rows + 1, 0);
    for (const Way& way : ways_)
        for (uint32_t r = row(way.box.minLat); r <= row(way.box.maxLat); ++r)
            for (uint32_t c = col(way.box.minLon); c <= col(way.box.maxLon); ++c)
                ++start[std::size_t{r} * cols + c + 1];
    for (std::size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<uint32_t> cellWays(start.back());
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (uint32_t w = 0; w < ways_.size(); ++w) {
        const RoadBox& box = ways_[w].box;
        for (uint32_t r = row(box.minLat); r <= row(box.maxLat); ++r)
            for (uint32_t c = col(box.minLon); c <= col(box.maxLon); ++c)
                cellWays[fill[std::size_t{r} * cols + c]++] = w;
    }

    ByteWriter out;
    out.Bytes(kMagic, sizeof kMagic);
    out.U32(kVersion);
    WriteBox(out, b);
    for (uint32_t c : summary_.classes)
        out.U32(c);
    out.U32(summary_.ways);
    out.U64(summary_.nodes);
    out.I32(cellSize);
    out.U32(cols);
    out.U32(rows);
    for (const Way& way : ways_) {
        out.U32(way.roadClass);
        out.U32(way.first);
        out.U32(way.count);
        WriteBox(out, way.box);
    }
    for (const RoadPoint& p : points_)
        out.I32(p.lat), out.I32(p.lon);
    for (uint32_t s : start)
        out.U32(s);
    for (uint32_t w : cellWays)
        out.U32(w);
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
    ByteReader in(bytes);
    if (!in.Has(kHeaderBytes) || std::memcmp(in.Here(), kMagic, sizeof kMagic) != 0)
        return fail("no map header");
    in.Skip(sizeof kMagic);
    if (in.U32() != kVersion)
        return fail("unknown version");
    RoadMapSummary s;
    s.bounds = ReadBox(in);
    uint64_t classSum = 0;
    for (uint32_t& c : s.classes)
        classSum += c = in.U32();
    s.ways = in.U32();
    s.nodes = in.U64();
    cellSize_ = in.I32();
    cols_ = in.U32();
    rows_ = in.U32();
    if (classSum != s.ways || (s.ways > 0 && !ValidBox(s.bounds)))
        return fail("inconsistent header");
    int32_t expectSize = 1;
    uint32_t expectCols = 0, expectRows = 0;
    GridFor(s.bounds, expectSize, expectCols, expectRows);
    if (cellSize_ != expectSize || cols_ != expectCols || rows_ != expectRows)
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
        way.box = ReadBox(in);
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
    if (ways_.empty() || !area.Overlaps(b))
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
