#pragma once

#include "geo/GeoPoint.h"

namespace hw {

// The waypoint grid's geometry: 200 x 200 cells of 0.1 degree that repeat
// every 20 degrees, and the walk over the cells that cover a box.
class CellArea {
public:
    static constexpr int kColumns = 200;
    static constexpr int kRows = 200;
    static constexpr int kCellCount = kColumns * kRows;
    static constexpr int kCellSize = 100000; // microdegrees

    // Cell of a position, column + 200 x row; -1 when it falls outside the
    // grid (south of -90 or west of -180 degrees).
    static int CellIndex(int32_t lat, int32_t lon);

    // Starts a walk over the cells covering the box between two corners.
    void Begin(const GeoPoint& corner1, const GeoPoint& corner2);
    // The next cell index of the walk, each once, rows then columns, both
    // wrapping from 199 to 0; -1 after the last.
    int Next();

private:
    int startColumn_ = 0;
    int startRow_ = 0;
    int endColumn_ = 0;
    int endRow_ = 0;
    int column_ = 0;
    int row_ = 0;
    bool done_ = true;
};

} // namespace hw
