#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "geo/RoadPoint.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hw::map_file {

// The map file's numbers, little-endian, with its boxes.
class ByteWriter : public hw::ByteWriter {
public:
    void Box(const RoadBox& b) { I32(b.minLat), I32(b.minLon), I32(b.maxLat), I32(b.maxLon); }
};

// Reads what ByteWriter wrote; the caller checks Has() before reading.
class ByteReader : public hw::ByteReader {
public:
    using hw::ByteReader::ByteReader;
    RoadBox Box()
    {
        RoadBox b;
        b.minLat = I32(), b.minLon = I32(), b.maxLat = I32(), b.maxLon = I32();
        return b;
    }
};

inline bool ValidBox(const RoadBox& b)
{
    return b.minLat <= b.maxLat && b.minLon <= b.maxLon && b.minLat >= -90000000 &&
           b.maxLat <= 90000000 && b.minLon >= -180000000 && b.maxLon <= 180000000;
}

// The grid of cells over a map's bounds that lists what reaches into each.
struct CellGrid {
    // Cells: at least this size (about 1 km), and no more than this many
    // columns or rows, so that a country's grid stays a few hundred kilobytes.
    static constexpr int32_t kMinCellSize = 10000;
    static constexpr uint32_t kMaxGridSide = 512;

    RoadBox bounds;
    int32_t cellSize = 1;
    uint32_t cols = 0, rows = 0;

    static CellGrid For(const RoadBox& bounds)
    {
        CellGrid g;
        g.bounds = bounds;
        int64_t span = std::max<int64_t>(int64_t{bounds.maxLat} - bounds.minLat,
                                         int64_t{bounds.maxLon} - bounds.minLon);
        g.cellSize = static_cast<int32_t>(std::max<int64_t>(kMinCellSize, span / kMaxGridSide + 1));
        g.cols = static_cast<uint32_t>((int64_t{bounds.maxLon} - bounds.minLon) / g.cellSize + 1);
        g.rows = static_cast<uint32_t>((int64_t{bounds.maxLat} - bounds.minLat) / g.cellSize + 1);
        return g;
    }
    uint64_t Cells() const { return uint64_t{cols} * rows; }
    // The cell column and row of a point, clamped to the grid.
    uint32_t Col(int32_t lon) const { return Clamp(lon, bounds.minLon, cols); }
    uint32_t Row(int32_t lat) const { return Clamp(lat, bounds.minLat, rows); }

    // For each box, the cells it reaches into: start offsets per cell (one
    // more at the end) and the boxes' numbers in cell order.
    template <typename BoxOf>
    void Index(uint32_t count, BoxOf&& boxOf, std::vector<uint32_t>& start,
               std::vector<uint32_t>& items) const
    {
        start.assign(Cells() + 1, 0);
        for (uint32_t i = 0; i < count; ++i) {
            const RoadBox& box = boxOf(i);
            for (uint32_t r = Row(box.minLat); r <= Row(box.maxLat); ++r)
                for (uint32_t c = Col(box.minLon); c <= Col(box.maxLon); ++c)
                    ++start[std::size_t{r} * cols + c + 1];
        }
        for (std::size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        items.assign(start.back(), 0);
        std::vector<uint32_t> fill(start.begin(), start.end() - 1);
        for (uint32_t i = 0; i < count; ++i) {
            const RoadBox& box = boxOf(i);
            for (uint32_t r = Row(box.minLat); r <= Row(box.maxLat); ++r)
                for (uint32_t c = Col(box.minLon); c <= Col(box.maxLon); ++c)
                    items[fill[std::size_t{r} * cols + c]++] = i;
        }
    }

private:
    uint32_t Clamp(int32_t v, int32_t origin, uint32_t n) const
    {
        int64_t c = (int64_t{v} - origin) / cellSize;
        return static_cast<uint32_t>(std::clamp<int64_t>(c, 0, int64_t{n} - 1));
    }
};

} // namespace hw::map_file
