#pragma once

#include "terrain/ElevationGrid.h"

#include <memory>

namespace hw {

// A raster's heights row by row, each as floats with voids NaN, so that a
// pass over a large raster needs a few rows in memory rather than a whole
// grid of floats. Rows may be read from several threads at once.
class ElevationRows {
public:
    virtual ~ElevationRows() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual GridPlacement Placement() const = 0;
    // Row `row` (0 the northernmost) into out[0..Width()).
    virtual void ReadRow(int row, float* out) const = 0;

    // The whole raster as a grid (rows converted on the machine's cores).
    ElevationGrid ToGrid() const;
};

// The rows of a grid held in memory.
class GridRows final : public ElevationRows {
public:
    explicit GridRows(const ElevationGrid& grid) : grid_(&grid) {}
    explicit GridRows(ElevationGrid&& grid)
        : owned_(std::make_unique<ElevationGrid>(std::move(grid))), grid_(owned_.get())
    {
    }

    int Width() const override { return grid_->Width(); }
    int Height() const override { return grid_->Height(); }
    GridPlacement Placement() const override { return grid_->Placement(); }
    void ReadRow(int row, float* out) const override;

private:
    std::unique_ptr<ElevationGrid> owned_;
    const ElevationGrid* grid_;
};

} // namespace hw
