#pragma once

#include "basemap/TopoClasses.h"
#include "geo/RoadPoint.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

namespace map_file {
class ByteReader;
class ByteWriter;
struct CellGrid;
} // namespace map_file

// The sea is stored as an area of a class after the counted ones.
inline constexpr int kSeaClass = kAreaClassCount;
// Labels after the point classes name an area: a lake's or a wood's name,
// its elevation field holding the width in microdegrees of longitude that
// the name may take there.
inline constexpr int kWaterNameLabel = kPointClassCount;
inline constexpr int kWoodNameLabel = kPointClassCount + 1;
inline constexpr int kLabelClassCount = kPointClassCount + 2;
inline constexpr int32_t kNoElevation = std::numeric_limits<int32_t>::min();

// Areas and lines are stored once per zoom band, simplified to about a
// pixel of the band's scale; band 0 keeps every point.
struct ZoomBands {
    static constexpr int kCount = 6;
    // The tolerance of a band in microdegrees of latitude.
    static double Tolerance(int band);
    // The coarsest band whose tolerance is within a pixel of this size.
    static int ForPixel(double microdegreesPerPixel);
};

enum class ShapeKind : uint8_t { Area = 0, Line = 1 };

struct TopoRing {
    uint32_t first = 0;
    uint32_t count = 0;
};

// An area (its rings, filled even-odd, so that inner rings are holes) or a
// line (one ring) in one zoom band.
struct TopoShape {
    ShapeKind kind = ShapeKind::Area;
    uint8_t cls = 0;
    uint8_t band = 0;
    uint32_t firstRing = 0;
    uint32_t ringCount = 0;
    RoadBox box;
};

// A named or symbolised point: its class, place, elevation (kNoElevation
// when untagged), and its name and English name (none when empty or the
// same) in the section's names.
struct TopoLabel {
    uint8_t cls = 0;
    uint8_t rank = 0; // of a place: 0 city ... 5 isolated dwelling
    RoadPoint at;
    int32_t ele = kNoElevation;
    uint32_t nameOffset = 0;
    uint32_t nameLength = 0;
    uint32_t englishOffset = 0;
    uint32_t englishLength = 0;
};

// The counts of the topographic part, as map-import and map-list print them.
struct TopoCounts {
    std::array<uint32_t, kAreaClassCount> areas{};
    std::array<uint32_t, kLineClassCount> lines{};
    std::array<uint32_t, kPointClassCount> points{};
    uint32_t brokenAreas = 0;
    bool hasSea = false;
};

// Collects the topographic part of a map file and writes it after the roads.
class TopoSectionWriter {
public:
    // rings: the outer and inner rings of one area (each closed); an area
    // whose outer rings are all degenerate is left out.
    void AddArea(int cls, const std::vector<std::vector<RoadPoint>>& rings);
    void AddSea(const std::vector<std::vector<RoadPoint>>& rings);
    void AddLine(int cls, const std::vector<RoadPoint>& points);
    void AddPoint(int cls, RoadPoint at, std::string_view name, int32_t ele = kNoElevation,
                  int rank = 0, std::string_view english = {});
    void AddBrokenArea() { ++counts_.brokenAreas; }
    // The name of a water or wood area at a point inside it, shown where the
    // area is large enough on the screen to hold it; not counted as a point.
    void AddAreaName(int areaClass, RoadPoint at, std::string_view name, int32_t extentMicro,
                     std::string_view english = {});

    const TopoCounts& Counts() const { return counts_; }
    bool Empty() const { return shapes_.empty() && labels_.empty(); }
    // The box around everything added; false when nothing was.
    bool Bounds(RoadBox& box) const;
    uint64_t PointCount() const { return points_.size(); }

    // englishNames: with the table of English names (version 3 and later).
    void Write(map_file::ByteWriter& out, const map_file::CellGrid& grid, bool englishNames) const;

private:
    bool AddShape(ShapeKind kind, int cls, const std::vector<std::vector<RoadPoint>>& rings);
    void Grow(const RoadBox& box);
    void AddNames(TopoLabel& label, std::string_view name, std::string_view english);

    TopoCounts counts_;
    std::vector<TopoShape> shapes_;
    std::vector<TopoRing> rings_;
    std::vector<RoadPoint> points_;
    std::vector<TopoLabel> labels_;
    std::string names_;
    RoadBox bounds_;
    bool hasBounds_ = false;
};

// The topographic part of a map file, read and checked.
class TopoSection {
public:
    bool Parse(map_file::ByteReader& in, const map_file::CellGrid& grid, bool englishNames,
               std::string& why);
    const TopoCounts& Counts() const { return counts_; }
    bool Empty() const { return shapes_.empty() && labels_.empty(); }
    uint32_t ShapeCount() const { return static_cast<uint32_t>(shapes_.size()); }

    const RoadPoint* Points(const TopoRing& ring) const { return &points_[ring.first]; }
    std::string_view Name(const TopoLabel& label) const
    {
        return std::string_view(names_).substr(label.nameOffset, label.nameLength);
    }
    // The name for an English reader: the English name where the map has
    // one, else the name.
    std::string_view EnglishName(const TopoLabel& label) const
    {
        return label.englishLength > 0
                   ? std::string_view(names_).substr(label.englishOffset, label.englishLength)
                   : Name(label);
    }

    // Calls visit(const TopoShape&, const TopoRing* rings) once for every
    // shape of the band whose box overlaps the area and whose class is in
    // the mask of its kind (the sea goes with the water areas).
    template <typename Visit>
    void ForEachShape(const RoadBox& area, int band, unsigned areaMask, unsigned lineMask,
                      uint32_t row0, uint32_t row1, uint32_t col0, uint32_t col1,
                      Visit&& visit) const
    {
        if (shapes_.empty())
            return;
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0);
            stamp_ = 1;
        }
        const std::size_t base = static_cast<std::size_t>(band) * cells_;
        for (uint32_t row = row0; row <= row1; ++row)
            for (uint32_t col = col0; col <= col1; ++col) {
                const std::size_t cell = base + std::size_t{row} * cols_ + col;
                for (uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
                    const uint32_t s = cellShapes_[k];
                    if (seen_[s] == stamp_)
                        continue;
                    seen_[s] = stamp_;
                    const TopoShape& shape = shapes_[s];
                    const unsigned cls = shape.cls == kSeaClass ? 0u : shape.cls;
                    const unsigned mask = shape.kind == ShapeKind::Area ? areaMask : lineMask;
                    if ((mask >> cls & 1u) && shape.box.Overlaps(area))
                        visit(shape, &rings_[shape.firstRing]);
                }
            }
    }

    // Calls visit(const TopoLabel&) for every label of a class in the mask
    // (bit n for point class n, then the water and wood names) inside the area.
    template <typename Visit>
    void ForEachLabel(const RoadBox& area, unsigned pointMask, Visit&& visit) const
    {
        for (const TopoLabel& label : labels_)
            if ((pointMask >> label.cls & 1u) && label.at.lat >= area.minLat &&
                label.at.lat <= area.maxLat && label.at.lon >= area.minLon &&
                label.at.lon <= area.maxLon)
                visit(label);
    }

private:
    TopoCounts counts_;
    std::vector<TopoShape> shapes_;
    std::vector<TopoRing> rings_;
    std::vector<RoadPoint> points_;
    std::vector<TopoLabel> labels_;
    std::string names_;
    std::size_t cells_ = 0;
    uint32_t cols_ = 0;
    std::vector<uint32_t> cellStart_;
    std::vector<uint32_t> cellShapes_;
    mutable std::vector<uint32_t> seen_;
    mutable uint32_t stamp_ = 0;
};

} // namespace hw
