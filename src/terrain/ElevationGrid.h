#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace hw {

// Where a grid lies: the position of the outer corner of its first cell and
// the step from one cell to the next, as a north-up raster's affine
// transform has them (stepY is negative when rows run southward). A cell's
// centre is at (col + 0.5, row + 0.5) in cell units.
struct GridPlacement {
    double originX = 0.0; // west edge
    double originY = 0.0; // north edge
    double stepX = 1.0;
    double stepY = -1.0;

    double X(double col) const { return originX + col * stepX; }
    double Y(double row) const { return originY + row * stepY; }
};

// Whether a grid of width x height cells placed in degrees lies on the
// earth, give or take a degree for cells centred on its edges (longitudes
// may run on to 360 east).
bool LiesOnTheEarth(const GridPlacement& p, double width, double height);

// Heights on a regular grid, row by row from the north; a void (no data) is
// NaN. The grid knows nothing of files or projections.
class ElevationGrid {
public:
    static constexpr float kVoid = std::numeric_limits<float>::quiet_NaN();

    ElevationGrid() = default;
    ElevationGrid(int width, int height, GridPlacement placement = {})
        : width_(width), height_(height), placement_(placement),
          heights_(static_cast<size_t>(width) * static_cast<size_t>(height), kVoid)
    {
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return heights_.empty(); }
    const GridPlacement& Placement() const { return placement_; }
    void SetPlacement(const GridPlacement& p) { placement_ = p; }

    float At(int col, int row) const { return heights_[Index(col, row)]; }
    float& At(int col, int row) { return heights_[Index(col, row)]; }
    static bool IsVoid(float h) { return std::isnan(h); }

    const float* Row(int row) const { return heights_.data() + Index(0, row); }
    float* Row(int row) { return heights_.data() + Index(0, row); }
    const std::vector<float>& Heights() const { return heights_; }

    // The height at a point in cell units (cell centres at +0.5), bilinear
    // between the four nearest centres; NaN outside the grid or where one of
    // them is a void.
    double Sample(double col, double row) const;

private:
    size_t Index(int col, int row) const
    {
        return static_cast<size_t>(row) * static_cast<size_t>(width_) + static_cast<size_t>(col);
    }

    int width_ = 0;
    int height_ = 0;
    GridPlacement placement_;
    std::vector<float> heights_;
};

// The height at a point in cell units (cell centres at +0.5) of a grid of
// width x height cells, bilinear between the centres around it, each read
// by at(col, row); NaN outside the grid or beside a void it leans on.
template <typename CellAt>
double SampleBilinear(double col, double row, int width, int height, CellAt&& at)
{
    double x = col - 0.5;
    double y = row - 0.5;
    if (!(x >= 0.0 && y >= 0.0 && x <= width - 1.0 && y <= height - 1.0))
        return std::numeric_limits<double>::quiet_NaN();
    auto c0 = static_cast<int>(x);
    auto r0 = static_cast<int>(y);
    double fx = x - c0, fy = y - r0;
    // On a centre line, the next centre (perhaps beyond the grid) is not read.
    int c1 = fx > 0.0 ? c0 + 1 : c0;
    int r1 = fy > 0.0 ? r0 + 1 : r0;
    double top = at(c0, r0) * (1.0 - fx) + (fx > 0.0 ? at(c1, r0) * fx : 0.0);
    double bottom = fy > 0.0 ? at(c0, r1) * (1.0 - fx) + (fx > 0.0 ? at(c1, r1) * fx : 0.0) : 0.0;
    return top * (1.0 - fy) + bottom * fy;
}

// Lowest and highest height and the number of voids of a grid.
struct ElevationStatistics {
    double min = 0.0;
    double max = 0.0;
    uint64_t voids = 0;
    static ElevationStatistics Of(const ElevationGrid& grid);
};

} // namespace hw
