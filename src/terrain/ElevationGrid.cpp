#include "terrain/ElevationGrid.h"

#include <algorithm>

namespace hw {

bool LiesOnTheEarth(const GridPlacement& p, double width, double height)
{
    constexpr double kSlack = 1.0;
    const double west = std::min(p.X(0), p.X(width)), east = std::max(p.X(0), p.X(width));
    const double south = std::min(p.Y(0), p.Y(height)), north = std::max(p.Y(0), p.Y(height));
    // NaN fails every comparison, so a placement of NaNs lies nowhere.
    return south >= -90 - kSlack && north <= 90 + kSlack && west >= -180 - kSlack &&
           east <= 360 + kSlack;
}

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
