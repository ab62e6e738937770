#include "basemap/TopoSection.h"

#include "basemap/MapFileBytes.h"
#include "geo/LineSimplifier.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace hw {
namespace {

constexpr char kTopoMagic[4] = {'T', 'O', 'P', 'O'};
constexpr double kBandTolerance[ZoomBands::kCount] = {0, 4, 16, 64, 256, 1024};
// Buildings are drawn close in only: they are kept in the finest bands.
constexpr int kBuildingBands = 2;
constexpr std::size_t kShapeBytes = 4 * 4 + 16;
constexpr std::size_t kLabelBytes = 6 * 4;

RoadBox BoxOf(const std::vector<RoadPoint>& points)
{
    RoadBox b{points[0].lat, points[0].lon, points[0].lat, points[0].lon};
    for (const RoadPoint& p : points) {
        b.minLat = std::min(b.minLat, p.lat);
        b.maxLat = std::max(b.maxLat, p.lat);
        b.minLon = std::min(b.minLon, p.lon);
        b.maxLon = std::max(b.maxLon, p.lon);
    }
    return b;
}

RoadBox Union(const RoadBox& a, const RoadBox& b)
{
    return {std::min(a.minLat, b.minLat), std::min(a.minLon, b.minLon),
            std::max(a.maxLat, b.maxLat), std::max(a.maxLon, b.maxLon)};
}

} // namespace

double ZoomBands::Tolerance(int band)
{
    return kBandTolerance[std::clamp(band, 0, kCount - 1)];
}

int ZoomBands::ForPixel(double microdegreesPerPixel)
{
    int band = 0;
    while (band + 1 < kCount && kBandTolerance[band + 1] <= microdegreesPerPixel)
        ++band;
    return band;
}

void TopoSectionWriter::Grow(const RoadBox& box)
{
    bounds_ = hasBounds_ ? Union(bounds_, box) : box;
    hasBounds_ = true;
}

bool TopoSectionWriter::Bounds(RoadBox& box) const
{
    if (hasBounds_)
        box = bounds_;
    return hasBounds_;
}

bool TopoSectionWriter::AddShape(ShapeKind kind, int cls,
                                 const std::vector<std::vector<RoadPoint>>& rings)
{
    const std::size_t least = kind == ShapeKind::Area ? 4 : 2;
    if (rings.empty() || rings[0].size() < least)
        return false;
    RoadBox whole = BoxOf(rings[0]);
    for (const auto& ring : rings)
        if (!ring.empty())
            whole = Union(whole, BoxOf(ring));
    const double latitude = (whole.minLat + whole.maxLat) * 0.5e-6;
    const int bands =
        cls == topo::kBuildings && kind == ShapeKind::Area ? kBuildingBands : ZoomBands::kCount;
    bool added = false;
    for (int band = 0; band < bands; ++band) {
        const double tolerance = ZoomBands::Tolerance(band);
        // Smaller than a pixel of the band: not drawn there, nor further out.
        const double extent = std::max(double(whole.maxLat) - whole.minLat,
                                       (double(whole.maxLon) - whole.minLon) *
                                           std::cos(latitude * 3.14159265358979323846 / 180));
        if (band > 0 && extent < tolerance)
            break;
        LineSimplifier simplifier(tolerance, latitude);
        TopoShape shape{kind,
                        static_cast<uint8_t>(cls),
                        static_cast<uint8_t>(band),
                        static_cast<uint32_t>(rings_.size()),
                        0,
                        whole};
        for (const auto& ring : rings) {
            if (ring.size() < least)
                continue;
            std::vector<RoadPoint> kept = simplifier.Simplify(ring);
            if (kept.size() < least)
                continue;
            rings_.push_back(
                {static_cast<uint32_t>(points_.size()), static_cast<uint32_t>(kept.size())});
            points_.insert(points_.end(), kept.begin(), kept.end());
            ++shape.ringCount;
        }
        if (shape.ringCount == 0)
            break;
        shapes_.push_back(shape);
        added = true;
    }
    if (added)
        Grow(whole);
    return added;
}

void TopoSectionWriter::AddArea(int cls, const std::vector<std::vector<RoadPoint>>& rings)
{
    if (cls < 0 || cls >= kAreaClassCount)
        return;
    if (AddShape(ShapeKind::Area, cls, rings))
        ++counts_.areas[static_cast<std::size_t>(cls)];
}

void TopoSectionWriter::AddSea(const std::vector<std::vector<RoadPoint>>& rings)
{
    if (AddShape(ShapeKind::Area, kSeaClass, rings))
        counts_.hasSea = true;
}

void TopoSectionWriter::AddLine(int cls, const std::vector<RoadPoint>& points)
{
    if (cls < 0 || cls >= kLineClassCount)
        return;
    if (AddShape(ShapeKind::Line, cls, {points}))
        ++counts_.lines[static_cast<std::size_t>(cls)];
}

void TopoSectionWriter::AddNames(TopoLabel& label, std::string_view name, std::string_view english)
{
    label.nameOffset = static_cast<uint32_t>(names_.size());
    label.nameLength = static_cast<uint32_t>(name.size());
    names_.append(name);
    if (!english.empty() && english != name) {
        label.englishOffset = static_cast<uint32_t>(names_.size());
        label.englishLength = static_cast<uint32_t>(english.size());
        names_.append(english);
    }
}

void TopoSectionWriter::AddPoint(int cls, RoadPoint at, std::string_view name, int32_t ele,
                                 int rank, std::string_view english)
{
    if (cls < 0 || cls >= kPointClassCount)
        return;
    TopoLabel label{static_cast<uint8_t>(cls), static_cast<uint8_t>(std::clamp(rank, 0, 255)), at,
                    ele};
    AddNames(label, name, english);
    labels_.push_back(label);
    Grow({at.lat, at.lon, at.lat, at.lon});
    ++counts_.points[static_cast<std::size_t>(cls)];
}

void TopoSectionWriter::AddAreaName(int areaClass, RoadPoint at, std::string_view name,
                                    int32_t extentMicro, std::string_view english)
{
    if (name.empty() || (areaClass != topo::kWater && areaClass != topo::kWood))
        return;
    const int cls = areaClass == topo::kWater ? kWaterNameLabel : kWoodNameLabel;
    TopoLabel label{static_cast<uint8_t>(cls), 0, at, extentMicro};
    AddNames(label, name, english);
    labels_.push_back(label);
    Grow({at.lat, at.lon, at.lat, at.lon});
}

// After the roads: "TOPO", the counts per class, broken areas and whether
// there is sea; the shapes (kind and class, band, first ring, ring count,
// box), the rings (first point, count) and the points; per band the cells'
// offsets into the list of shape numbers, and that list; the labels (class,
// and rank, place, elevation, name offset and length) and their names; from
// version 3, each label's English name offset and length (0 for none).
void TopoSectionWriter::Write(map_file::ByteWriter& out, const map_file::CellGrid& grid,
                              bool englishNames) const
{
    out.Bytes(kTopoMagic, sizeof kTopoMagic);
    for (uint32_t c : counts_.areas)
        out.U32(c);
    for (uint32_t c : counts_.lines)
        out.U32(c);
    for (uint32_t c : counts_.points)
        out.U32(c);
    out.U32(counts_.brokenAreas);
    out.U32(counts_.hasSea ? 1 : 0);
    out.U32(static_cast<uint32_t>(shapes_.size()));
    out.U32(static_cast<uint32_t>(rings_.size()));
    out.U64(points_.size());
    for (const TopoShape& s : shapes_) {
        out.U32(static_cast<uint32_t>(s.kind) << 8 | s.cls);
        out.U32(s.band);
        out.U32(s.firstRing);
        out.U32(s.ringCount);
        out.Box(s.box);
    }
    for (const TopoRing& r : rings_)
        out.U32(r.first), out.U32(r.count);
    for (const RoadPoint& p : points_)
        out.I32(p.lat), out.I32(p.lon);
    for (int band = 0; band < ZoomBands::kCount; ++band) {
        std::vector<uint32_t> inBand;
        for (uint32_t s = 0; s < shapes_.size(); ++s)
            if (shapes_[s].band == band)
                inBand.push_back(s);
        std::vector<uint32_t> start, items;
        grid.Index(
            static_cast<uint32_t>(inBand.size()),
            [&](uint32_t i) -> const RoadBox& { return shapes_[inBand[i]].box; }, start, items);
        for (uint32_t s : start)
            out.U32(s);
        out.U32(static_cast<uint32_t>(items.size()));
        for (uint32_t i : items)
            out.U32(inBand[i]);
    }
    out.U32(static_cast<uint32_t>(labels_.size()));
    for (const TopoLabel& l : labels_) {
        out.U32(uint32_t{l.rank} << 8 | l.cls);
        out.I32(l.at.lat), out.I32(l.at.lon), out.I32(l.ele);
        out.U32(l.nameOffset), out.U32(l.nameLength);
    }
    out.U32(static_cast<uint32_t>(names_.size()));
    out.Bytes(names_.data(), names_.size());
    if (englishNames)
        for (const TopoLabel& l : labels_)
            out.U32(l.englishOffset), out.U32(l.englishLength);
}

bool TopoSection::Parse(map_file::ByteReader& in, const map_file::CellGrid& grid, bool englishNames,
                        std::string& why)
{
    auto fail = [&](const char* what) {
        why = what;
        *this = TopoSection();
        return false;
    };
    const std::size_t headBytes =
        sizeof kTopoMagic + 4 * (kAreaClassCount + kLineClassCount + kPointClassCount) + 4 * 4 + 8;
    if (!in.Has(headBytes) || std::memcmp(in.Here(), kTopoMagic, sizeof kTopoMagic) != 0)
        return fail("no topographic part");
    in.Skip(sizeof kTopoMagic);
    for (uint32_t& c : counts_.areas)
        c = in.U32();
    for (uint32_t& c : counts_.lines)
        c = in.U32();
    for (uint32_t& c : counts_.points)
        c = in.U32();
    counts_.brokenAreas = in.U32();
    counts_.hasSea = in.U32() != 0;
    const uint32_t shapeCount = in.U32();
    const uint32_t ringCount = in.U32();
    const uint64_t pointCount = in.U64();
    if (!in.Has(uint64_t{shapeCount} * kShapeBytes + uint64_t{ringCount} * 8) ||
        !in.Has(uint64_t{shapeCount} * kShapeBytes + uint64_t{ringCount} * 8 + pointCount * 8))
        return fail("truncated");
    shapes_.resize(shapeCount);
    uint32_t nextRing = 0;
    for (TopoShape& s : shapes_) {
        const uint32_t code = in.U32();
        const uint32_t band = in.U32();
        s.firstRing = in.U32();
        s.ringCount = in.U32();
        s.box = in.Box();
        const uint32_t kind = code >> 8, cls = code & 0xFF;
        const bool known = (kind == 0 && cls <= kSeaClass) || (kind == 1 && cls < kLineClassCount);
        if (!known || band >= ZoomBands::kCount || s.firstRing != nextRing || s.ringCount == 0 ||
            s.ringCount > ringCount - nextRing || !map_file::ValidBox(s.box))
            return fail("bad shape");
        s.kind = static_cast<ShapeKind>(kind);
        s.cls = static_cast<uint8_t>(cls);
        s.band = static_cast<uint8_t>(band);
        nextRing += s.ringCount;
    }
    if (nextRing != ringCount)
        return fail("ring count");
    rings_.resize(ringCount);
    uint64_t nextPoint = 0;
    for (TopoRing& r : rings_) {
        r.first = in.U32();
        r.count = in.U32();
        if (r.first != nextPoint || r.count < 2)
            return fail("bad ring");
        nextPoint += r.count;
    }
    if (nextPoint != pointCount)
        return fail("point count");
    points_.resize(pointCount);
    if (pointCount > 0)
        std::memcpy(points_.data(), in.Here(), pointCount * 8);
    in.Skip(pointCount * 8);
    cells_ = grid.Cells();
    cols_ = grid.cols;
    cellStart_.assign(cells_ * ZoomBands::kCount + 1, 0);
    uint32_t listed = 0;
    for (int band = 0; band < ZoomBands::kCount; ++band) {
        if (!in.Has((cells_ + 2) * 4))
            return fail("truncated");
        std::vector<uint32_t> start;
        start.reserve(cells_ + 1);
        for (std::size_t c = 0; c <= cells_; ++c)
            start.push_back(in.U32());
        const uint32_t count = in.U32();
        if (start.empty() || start.front() != 0 || start.back() != count ||
            !in.Has(uint64_t{count} * 4))
            return fail("cell table");
        for (std::size_t c = 0; c < cells_; ++c) {
            if (start[c + 1] < start[c])
                return fail("cell table");
            cellStart_[band * cells_ + c] = listed + start[c];
        }
        for (uint32_t k = 0; k < count; ++k) {
            const uint32_t s = in.U32();
            if (s >= shapeCount || shapes_[s].band != band)
                return fail("cell table");
            cellShapes_.push_back(s);
        }
        listed += count;
    }
    cellStart_.back() = listed;
    if (!in.Has(4))
        return fail("truncated");
    const uint32_t labelCount = in.U32();
    if (!in.Has(uint64_t{labelCount} * kLabelBytes + 4))
        return fail("truncated");
    labels_.resize(labelCount);
    for (TopoLabel& l : labels_) {
        const uint32_t code = in.U32();
        l.at.lat = in.I32(), l.at.lon = in.I32(), l.ele = in.I32();
        l.nameOffset = in.U32(), l.nameLength = in.U32();
        if ((code & 0xFF) >= kLabelClassCount || code >> 16 != 0)
            return fail("bad label");
        l.cls = static_cast<uint8_t>(code & 0xFF);
        l.rank = static_cast<uint8_t>(code >> 8);
    }
    const uint32_t nameBytes = in.U32();
    if (!in.Has(nameBytes))
        return fail("truncated");
    names_.assign(in.Here(), nameBytes);
    in.Skip(nameBytes);
    if (englishNames) {
        if (!in.Has(uint64_t{labelCount} * 8))
            return fail("truncated");
        for (TopoLabel& l : labels_)
            l.englishOffset = in.U32(), l.englishLength = in.U32();
    }
    for (const TopoLabel& l : labels_)
        if (l.nameOffset > nameBytes || l.nameLength > nameBytes - l.nameOffset ||
            l.englishOffset > nameBytes || l.englishLength > nameBytes - l.englishOffset)
            return fail("bad label");
    seen_.assign(shapeCount, 0);
    return true;
}

} // namespace hw
