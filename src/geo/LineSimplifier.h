#pragma once

#include "geo/RoadPoint.h"

#include <vector>

namespace hw {

// Douglas-Peucker simplification of lines and rings in microdegrees: keeps
// the points that stand further than a tolerance (in microdegrees of
// latitude) from the line through the points kept around them. Longitudes
// are shortened by the cosine of the latitude so that the tolerance is
// the same distance both ways.
class LineSimplifier {
public:
    LineSimplifier(double toleranceMicro, double latitudeDegrees);

    // The first and last points are always kept (a closed ring stays closed).
    std::vector<RoadPoint> Simplify(const std::vector<RoadPoint>& points) const;

private:
    double tolerance2_;
    double lonScale_;
};

} // namespace hw
