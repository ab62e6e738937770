#include "terrain/ElevationGrid.h"

#include <algorithm>

namespace hw {

double ElevationGrid::Sample(double col, double row) const
{
    return SampleBilinear(col, row, width_, height_,
                          [this](int c, int r) { return static_cast<double>(At(c, r)); });
}

ElevationStatistics ElevationStatistics::Of(const ElevationGrid& grid)
{
    ElevationStatistics s;
    bool any = false;
    for (float h : grid.Heights()) {
        if (ElevationGrid::IsVoid(h)) {
            ++s.voids;
            continue;
        }
        if (!any) {
            s.min = s.max = h;
            any = true;
        } else {
            s.min = std::min<double>(s.min, h);
            s.max = std::max<double>(s.max, h);
        }
    }
    return s;
}

} // namespace hw
