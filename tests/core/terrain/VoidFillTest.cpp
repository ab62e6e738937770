#include "terrain/VoidFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace hw {
namespace {

constexpr float n = ElevationGrid::kVoid;

ElevationGrid GridOf(int width, const std::vector<float>& cells)
{
    ElevationGrid g(width, static_cast<int>(cells.size()) / width);
    for (int i = 0; i < static_cast<int>(cells.size()); ++i)
        g.At(i % width, i / width) = cells[static_cast<size_t>(i)];
    return g;
}

TEST(VoidFillTest, EachVoidFromTheNearestKnownCellOfEachQuadrant)
{
    // A void takes the nearest known cell of each quadrant, weighted by the
    // inverse of its distance: the column and row it stands on belong to the
    // quadrants on their left and above, as in GDAL's fill.
    const double r2 = std::sqrt(2.0);
    const struct {
        const char* name;
        int width;
        std::vector<float> cells;
        int search;
        std::vector<float> filled; // the voids, row by row
    } cases[] = {
        {"a void amid eight",
         3,
         {1, 10, 2, 30, n, 40, 3, 20, 4},
         100,
         {static_cast<float>((10 + 40 + 20 + 4 / r2) / (3 + 1 / r2))}},
        {"a column between two", 1, {7, n, n, n, 1}, 100, {5.5f, 4, 2.5f}},
        {"flat ground stays flat", 3, {9, 9, 9, 9, n, n, 9, n, n}, 100, {9, 9, 9, 9}},
        {"nothing within the search", 6, {5, n, n, n, n, n}, 3, {5, 5, 5, n, n}},
        {"no known cell at all", 2, {n, n, n, n}, 100, {n, n, n, n}},
        {"nothing to fill", 2, {1, 2, 3, 4}, 100, {}},
    };
    for (const auto& c : cases) {
        ElevationGrid grid = GridOf(c.width, c.cells);
        const uint64_t filled = VoidFill::Fill(grid, c.search);
        std::vector<float> voids;
        uint64_t known = 0;
        for (size_t i = 0; i < c.cells.size(); ++i) {
            const float now = grid.Heights()[i];
            if (ElevationGrid::IsVoid(c.cells[i])) {
                voids.push_back(now);
                known += ElevationGrid::IsVoid(now) ? 0 : 1;
            } else {
                EXPECT_EQ(now, c.cells[i]) << c.name << ": a known cell changed";
            }
        }
        EXPECT_EQ(filled, known) << c.name;
        ASSERT_EQ(voids.size(), c.filled.size()) << c.name;
        for (size_t i = 0; i < voids.size(); ++i) {
            if (std::isnan(c.filled[i]))
                EXPECT_TRUE(std::isnan(voids[i])) << c.name << " " << i;
            else
                EXPECT_NEAR(voids[i], c.filled[i], 1e-4) << c.name << " " << i;
        }
    }
}

} // namespace
} // namespace hw
