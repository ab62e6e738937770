#include "waypoints/CellArea.h"

#include <algorithm>
#include <cstdint>

namespace hw {
namespace {

constexpr int64_t kCornerLimit = 999000000;

// Absolute cell number along one axis. Matches CellIndex for every position
// the grid stores (truncation puts the first tenth of a degree below the
// origin into cell 0); further below it floors, so that corners beyond the
// origin still map onto the repeating grid.
int64_t AxisCell(int64_t value, int64_t offset)
{
    int64_t v = value + offset;
    int64_t q = v / CellArea::kCellSize;
    if (q < 0 && v % CellArea::kCellSize != 0)
        --q;
    return q;
}

int Wrap(int64_t cell, int count)
{
    int64_t m = cell % count;
    return static_cast<int>(m < 0 ? m + count : m);
}

} // namespace

int CellArea::CellIndex(int32_t lat, int32_t lon)
{
    // Truncating division as the stored grid defines it; anything that lands
    // on a negative column or row is outside.
    int64_t colAbs = (static_cast<int64_t>(lon) + 180000000) / kCellSize;
    int64_t rowAbs = (static_cast<int64_t>(lat) + 90000000) / kCellSize;
    int64_t column = colAbs % kColumns;
    int64_t row = rowAbs % kRows;
    if (column < 0 || row < 0)
        return -1;
    return static_cast<int>(column + kColumns * row);
}

void CellArea::Begin(const GeoPoint& corner1, const GeoPoint& corner2)
{
    auto limit = [](int64_t v) { return std::clamp(v, -kCornerLimit, kCornerLimit); };
    int64_t minLat = limit(std::min<int64_t>(corner1.lat, corner2.lat));
    int64_t maxLat = limit(std::max<int64_t>(corner1.lat, corner2.lat));
    int64_t minLon = limit(std::min<int64_t>(corner1.lon, corner2.lon));
    int64_t maxLon = limit(std::max<int64_t>(corner1.lon, corner2.lon));

    int64_t firstColumn = AxisCell(minLon, 180000000);
    int64_t lastColumn = AxisCell(maxLon, 180000000);
    int64_t firstRow = AxisCell(minLat, 90000000);
    int64_t lastRow = AxisCell(maxLat, 90000000);

    // A box that covers 200 or more columns (rows) needs all of them; the
    // walk from start to end would otherwise cover a single one when the
    // corners fall in the same column of two repeats.
    if (lastColumn - firstColumn + 1 >= kColumns) {
        startColumn_ = 0;
        endColumn_ = kColumns - 1;
    } else {
        startColumn_ = Wrap(firstColumn, kColumns);
        endColumn_ = Wrap(lastColumn, kColumns);
    }
    if (lastRow - firstRow + 1 >= kRows) {
        startRow_ = 0;
        endRow_ = kRows - 1;
    } else {
        startRow_ = Wrap(firstRow, kRows);
        endRow_ = Wrap(lastRow, kRows);
    }
    column_ = startColumn_;
    row_ = startRow_;
    done_ = false;
}

int CellArea::Next()
{
    if (done_)
        return -1;
    int cell = column_ + kColumns * row_;
    if (column_ != endColumn_) {
        column_ = (column_ + 1) % kColumns;
    } else if (row_ != endRow_) {
        column_ = startColumn_;
        row_ = (row_ + 1) % kRows;
    } else {
        done_ = true;
    }
    return cell;
}

} // namespace hw
