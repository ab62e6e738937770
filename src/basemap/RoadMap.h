#pragma once

#include "basemap/TopoClasses.h"
#include "basemap/TopoSection.h"
#include "geo/RoadPoint.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

inline constexpr int kRoadClassCount = 10;
inline constexpr unsigned kAllRoadClasses = (1u << kRoadClassCount) - 1;

// The class of an OpenStreetMap way by its highway or railway tag: 0
// motorway ... 8 paths, 9 rail; -1 for a way that is none of them.
int RoadClassOf(std::string_view highway, std::string_view railway);

// What a map file holds: ways and points in all, ways per class, and the
// box around every point (all zero for an empty map).
struct RoadMapSummary {
    uint32_t ways = 0;
    uint64_t nodes = 0;
    std::array<uint32_t, kRoadClassCount> classes{};
    RoadBox bounds;
    // The topographic part: areas, lines and points per class, and the
    // areas of the extract that did not assemble.
    std::array<uint32_t, kAreaClassCount> areas{};
    std::array<uint32_t, kLineClassCount> lines{};
    std::array<uint32_t, kPointClassCount> points{};
    uint32_t brokenAreas = 0;
    // The walking network: the points where walkable ways meet or end, and
    // the pieces of way between two of them (none in older files).
    uint32_t graphNodes = 0, graphEdges = 0;
    // {"ways":W,"nodes":N,"classes":[...],"bounds":{"minlat":..,...},
    // "areas":[...],"lines":[...],"points":[...],"broken_areas":B,
    // "graph":{"nodes":GN,"edges":GE}}, degrees.
    std::string Json() const;
};

// One way of a map file: its class, its points in the file's list of
// points, and the box around them.
struct RoadMapWay {
    uint8_t roadClass = 0;
    uint32_t first = 0;
    uint32_t count = 0;
    RoadBox box;
};

// Builds a road map file. Ways are stored once; a grid of cells over the
// bounds lists for each cell the ways whose boxes reach into it, so that a
// reader looks only at the cells in sight.
//
// The file (little-endian): the magic "HWROADS\0", version, bounds, counts
// per class, grid size and cell size; the ways (class, first point, point
// count, box); the points as pairs of int32 microdegrees; the cells' offsets
// into the list of way numbers, and that list.
class RoadMapWriter {
public:
    // The file's versions: 1 holds roads only; 2 adds the topographic part;
    // 3 adds the English names of its labels; 4 the walking network (its
    // node and edge counts, the section's size and the section, which the
    // routing reads).
    static constexpr uint32_t kRoadsOnly = 1;
    static constexpr uint32_t kTopographic = 2;
    static constexpr uint32_t kEnglishNames = 3;
    static constexpr uint32_t kWalkingNetwork = 4;

    // Adds a way of a class (0..9); a way of fewer than two points is left out.
    void AddWay(int roadClass, const std::vector<RoadPoint>& points);
    // The areas, lines, points and sea of the map.
    TopoSectionWriter& Topo() { return topo_; }
    // The walking network's section with its counts.
    void SetNetwork(std::string section, uint32_t nodes, uint32_t edges);
    // The summary of what Bytes() writes.
    RoadMapSummary Summary() const;
    std::string Bytes(uint32_t version = kWalkingNetwork) const;

private:
    using Way = RoadMapWay;
    std::vector<Way> ways_;
    std::vector<RoadPoint> points_;
    RoadMapSummary summary_;
    TopoSectionWriter topo_;
    std::string network_;
};

// A road map file read into memory, checked throughout so that a damaged
// file is refused rather than read out of bounds.
class RoadMap {
public:
    // false with a message (and an empty map) when the file is missing,
    // damaged or of another kind.
    bool Load(const std::string& path, std::string& error);
    bool Parse(std::string_view bytes, std::string& error);

    const RoadMapSummary& Summary() const { return summary_; }
    // Neither roads nor anything topographic.
    bool Empty() const { return ways_.empty() && topo_.Empty(); }
    bool HasRoads() const { return !ways_.empty(); }
    const TopoSection& Topo() const { return topo_; }
    // The walking network's section, empty when the file has none.
    std::string_view NetworkSection() const { return network_; }

    // Calls visit(const TopoShape&, const TopoRing* rings) for the areas and
    // lines of a zoom band in the area, by the class masks of their kinds.
    template <typename Visit>
    void ForEachShape(const RoadBox& area, int band, unsigned areaMask, unsigned lineMask,
                      Visit&& visit) const
    {
        CellRange r = Cells(area);
        if (!r.empty)
            topo_.ForEachShape(area, band, areaMask, lineMask, r.row0, r.row1, r.col0, r.col1,
                               visit);
    }
    // The grid cells the last ForEachWay looked into, and all of them.
    uint32_t CellsLastRead() const { return cellsRead_; }
    uint32_t CellCount() const { return cols_ * rows_; }

    // Calls visit(roadClass, const RoadPoint* points, uint32_t count) once for
    // every way of a class in classMask whose box overlaps the area.
    template <typename Visit>
    void ForEachWay(const RoadBox& area, unsigned classMask, Visit&& visit) const
    {
        CellRange r = Cells(area);
        cellsRead_ = 0;
        if (r.empty)
            return;
        cellsRead_ = (r.row1 - r.row0 + 1) * (r.col1 - r.col0 + 1);
        NextStamp();
        for (uint32_t row = r.row0; row <= r.row1; ++row)
            for (uint32_t col = r.col0; col <= r.col1; ++col) {
                uint32_t cell = row * cols_ + col;
                for (uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
                    uint32_t w = cellWays_[k];
                    if (seen_[w] == stamp_)
                        continue;
                    seen_[w] = stamp_;
                    const Way& way = ways_[w];
                    if ((classMask >> way.roadClass & 1u) && way.box.Overlaps(area))
                        visit(static_cast<int>(way.roadClass), &points_[way.first], way.count);
                }
            }
    }

private:
    using Way = RoadMapWay;
    struct CellRange {
        bool empty = true;
        uint32_t row0 = 0, row1 = 0, col0 = 0, col1 = 0;
    };
    CellRange Cells(const RoadBox& area) const;
    void Clear();
    void NextStamp() const;

    RoadMapSummary summary_;
    uint32_t cols_ = 0, rows_ = 0;
    int32_t cellSize_ = 1;
    std::vector<Way> ways_;
    std::vector<RoadPoint> points_;
    std::vector<uint32_t> cellStart_;
    std::vector<uint32_t> cellWays_;
    mutable std::vector<uint32_t> seen_;
    mutable uint32_t stamp_ = 0;
    mutable uint32_t cellsRead_ = 0;
    TopoSection topo_;
    std::string network_;
};

} // namespace hw
