#pragma once

#include "terrain/ElevationGrid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hw {

// A point of a contour line in cell units: the centre of cell (col, row) is
// at (col + 0.5, row + 0.5).
struct ContourPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const ContourPoint&) const = default;
};

// One contour line; a closed line ends on its first point.
struct ContourLine {
    double elevation = 0.0;
    bool closed = false;
    std::vector<ContourPoint> points;
};

// Contour lines of a grid at every multiple of an interval plus a base, by
// marching squares over the cells' centres, each line joined across the
// squares it passes through. A height exactly on a level counts as just
// above it, so that no line runs through a grid point. Lines stop half a
// cell beyond the last heights at the grid's edge and beside a void: a
// square with voids among its corners is cut into quarters, and only the
// quarters of its known corners, filled with their neighbours' heights,
// are traced; no line crosses a void.
class ContourTracer {
public:
    // More levels than this between the lowest and highest height trace
    // nothing: the interval is too small for the heights.
    static constexpr double kMaxLevels = 100000;

    ContourTracer(double interval, double base = 0.0);

    // At most this many pieces of line (a level through a square is one or
    // two) are traced; a grid that needs more traces nothing. Noise under a
    // small interval would take time and memory without bound, and its
    // lines could not be read. Unbounded unless set.
    void SetMaxSegments(size_t segments) { maxSegments_ = segments; }

    // Whether lines run on half a cell past the heights of the grid's first
    // row (north), first column (west), last row (south) and last column
    // (east), as beside a void: all by default. A grid that is a tile of a
    // larger one, overlapping its neighbour by a row or column, closes the
    // sides its neighbour traces, so that the lines of the two meet at the
    // shared cells' centres and neither draws stubs into the other.
    struct Sides {
        bool north = true, west = true, south = true, east = true;
    };
    void SetOpenSides(const Sides& sides) { open_ = sides; }

    // The number of levels from min to max (at most one more than there
    // are lines of).
    double LevelCount(double min, double max) const;

    // The lines ordered by elevation; none when the interval is not positive.
    std::vector<ContourLine> Trace(const ElevationGrid& grid) const;

    // The lines of the window [col0, col1) x [row0, row1) of the grid (cells
    // outside it count as voids), as Trace of that part alone.
    std::vector<ContourLine> Trace(const ElevationGrid& grid, int col0, int row0, int col1,
                                   int row1) const;

private:
    double interval_;
    double base_;
    size_t maxSegments_ = SIZE_MAX;
    Sides open_;
};

} // namespace hw
