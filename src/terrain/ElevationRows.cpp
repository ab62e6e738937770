#include "terrain/ElevationRows.h"

#include "base/ParallelParts.h"

#include <algorithm>

namespace hw {

ElevationGrid ElevationRows::ToGrid() const
{
    ElevationGrid grid(Width(), Height(), Placement());
    struct Job {
        const ElevationRows* rows;
        ElevationGrid* grid;
    } job{this, &grid};
    ForEachPart(
        Height(),
        [](void* context, int first, int last) {
            auto* j = static_cast<Job*>(context);
            for (int r = first; r < last; ++r)
                j->rows->ReadRow(r, j->grid->Row(r));
        },
        &job);
    return grid;
}

void GridRows::ReadRow(int row, float* out) const
{
    const float* in = grid_->Row(row);
    std::copy(in, in + grid_->Width(), out);
}

} // namespace hw
