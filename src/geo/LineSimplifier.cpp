#include "geo/LineSimplifier.h"

#include <cmath>

namespace hw {

LineSimplifier::LineSimplifier(double toleranceMicro, double latitudeDegrees)
    : tolerance_(toleranceMicro),
      lonScale_(std::cos(latitudeDegrees * 3.14159265358979323846 / 180))
{
}

std::vector<RoadPoint> LineSimplifier::Simplify(const std::vector<RoadPoint>& points) const
{
    const std::size_t n = points.size();
    if (n < 3 || tolerance_ <= 0)
        return points;
    const std::vector<char> keep = DouglasPeuckerKeep(
        n, [&](std::size_t i) { return points[i].lon * lonScale_; },
        [&](std::size_t i) { return static_cast<double>(points[i].lat); }, tolerance_);
    std::vector<RoadPoint> out;
    for (std::size_t i = 0; i < n; ++i)
        if (keep[i])
            out.push_back(points[i]);
    return out;
}

} // namespace hw
