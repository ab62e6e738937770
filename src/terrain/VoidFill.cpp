#include "terrain/VoidFill.h"

#include "base/ParallelParts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hw {

namespace {

// Per cell, the rows from it to the nearest known cell of its column: above
// or at it, and below it; kNone when none lies within the search.
constexpr uint8_t kNone = 255;

struct Reach {
    int width = 0, height = 0;
    std::vector<uint8_t> up, down;
    std::vector<int> voidRows;
};

// Counts rows since a known cell, up to kNone; branch-free, so that the
// compiler steps through many columns at once.
inline uint8_t Next(uint8_t rows, bool known)
{
    const uint8_t more = static_cast<uint8_t>(rows + (rows != kNone));
    return known ? uint8_t{0} : more;
}

Reach ReachOf(const ElevationGrid& grid, int search)
{
    Reach r;
    r.width = grid.Width();
    r.height = grid.Height();
    const size_t w = static_cast<size_t>(r.width);
    r.up.resize(w * static_cast<size_t>(r.height));
    r.down.resize(r.up.size());
    const auto limit = static_cast<uint8_t>(search);
    std::vector<uint8_t> rows(w, kNone);
    for (int row = 0; row < r.height; ++row) {
        const float* cells = grid.Row(row);
        uint8_t* to = r.up.data() + static_cast<size_t>(row) * w;
        bool voids = false;
        for (size_t c = 0; c < w; ++c) {
            const bool known = cells[c] == cells[c];
            voids |= !known;
            rows[c] = Next(rows[c], known);
            to[c] = rows[c] <= limit ? rows[c] : kNone;
        }
        if (voids)
            r.voidRows.push_back(row);
    }
    // Below: rows strictly below, so the count runs a row behind.
    std::fill(rows.begin(), rows.end(), kNone);
    for (int row = r.height - 1; row >= 0; --row) {
        const float* cells = grid.Row(row);
        uint8_t* to = r.down.data() + static_cast<size_t>(row) * w;
        for (size_t c = 0; c < w; ++c) {
            to[c] = rows[c] <= limit ? rows[c] : kNone;
            const uint8_t atOrBelow = cells[c] == cells[c] ? uint8_t{0} : rows[c];
            rows[c] = static_cast<uint8_t>(atOrBelow + (atOrBelow != kNone));
        }
    }
    return r;
}

// The nearest known cell of one quadrant: its distance and height.
struct Nearest {
    double distance;
    float height = 0.0f;
};

// The value of the void at (col, row), or NaN when no known cell is near.
float FillOne(const ElevationGrid& grid, const Reach& reach, int col, int row, int search)
{
    Nearest quadrants[4];
    for (Nearest& q : quadrants)
        q.distance = search + 1.0;
    const size_t at = static_cast<size_t>(row) * static_cast<size_t>(reach.width);
    auto check = [&](Nearest& q, int x, int sign, const std::vector<uint8_t>& rows) {
        const uint8_t dy = rows[at + static_cast<size_t>(x)];
        if (dy == kNone)
            return;
        const double dx = x - col;
        const double ddy = dy;
        const double squared = dx * dx + ddy * ddy;
        if (squared < q.distance * q.distance) {
            q.distance = std::sqrt(squared);
            q.height = grid.At(x, row + sign * dy);
        }
    };
    // Step left and right one column at a time; the search narrows to the
    // farthest quadrant found, checked every fourth step.
    int reachCols = search;
    for (int step = 0; step <= reachCols; ++step) {
        const int left = std::max(0, col - step);
        const int right = std::min(reach.width - 1, col + step);
        check(quadrants[0], left, -1, reach.up);
        check(quadrants[1], left, 1, reach.down);
        if (step == 0)
            continue; // the column itself belongs to the left quadrants
        check(quadrants[2], right, -1, reach.up);
        check(quadrants[3], right, 1, reach.down);
        if ((step & 3) == 0)
            reachCols = static_cast<int>(
                std::floor(std::max(std::max(quadrants[0].distance, quadrants[1].distance),
                                    std::max(quadrants[2].distance, quadrants[3].distance))));
    }
    double weights = 0.0, sum = 0.0;
    for (const Nearest& q : quadrants)
        if (q.distance <= search) {
            weights += 1.0 / q.distance;
            sum += q.height / q.distance;
        }
    return weights > 0.0 ? static_cast<float>(sum / weights) : ElevationGrid::kVoid;
}

} // namespace

uint64_t VoidFill::Fill(ElevationGrid& grid, int searchCells)
{
    const int search = std::clamp(searchCells, 1, static_cast<int>(kNone) - 2);
    bool voids = false;
    for (float h : grid.Heights())
        voids |= h != h;
    if (!voids)
        return 0;
    const Reach reach = ReachOf(grid, search);
    const std::vector<int>& voidRows = reach.voidRows;
    // Rows are filled apart: a fill reads known cells alone (the reach
    // leads to them) and writes only voids.
    std::vector<uint64_t> counts(static_cast<size_t>(Workers(static_cast<int>(voidRows.size()))));
    PullEach(static_cast<int>(voidRows.size()), [&](int worker, int item) {
        const int row = voidRows[static_cast<size_t>(item)];
        float* cells = grid.Row(row);
        for (int col = 0; col < grid.Width(); ++col)
            if (ElevationGrid::IsVoid(cells[col])) {
                cells[col] = FillOne(grid, reach, col, row, search);
                counts[static_cast<size_t>(worker)] += ElevationGrid::IsVoid(cells[col]) ? 0 : 1;
            }
    });
    uint64_t total = 0;
    for (uint64_t n : counts)
        total += n;
    return total;
}

} // namespace hw
