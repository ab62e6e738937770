#pragma once

#include "geo/RoadPoint.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace hw {

// Douglas-Peucker over n points given by x(i) and y(i): which to keep so
// that none left out stands further than the tolerance from the line
// through the kept points around it. The first and last are always kept.
template <typename X, typename Y>
std::vector<char> DouglasPeuckerKeep(std::size_t n, X x, Y y, double tolerance)
{
    std::vector<char> keep(n, 0);
    if (n == 0)
        return keep;
    keep[0] = keep[n - 1] = 1;
    const double tolerance2 = tolerance * tolerance;
    // Spans still to look at, without recursion: a long coast would overflow the stack.
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, n - 1}};
    while (!spans.empty()) {
        auto [a, b] = spans.back();
        spans.pop_back();
        if (b <= a + 1)
            continue;
        const double dx = x(b) - x(a), dy = y(b) - y(a);
        const double len2 = dx * dx + dy * dy;
        double worst = -1;
        std::size_t at = a;
        for (std::size_t i = a + 1; i < b; ++i) {
            double px = x(i) - x(a), py = y(i) - y(a);
            double d2;
            if (len2 == 0) {
                d2 = px * px + py * py; // a ring's ends: the distance to the point
            } else {
                double t = (px * dx + py * dy) / len2;
                t = t < 0 ? 0 : (t > 1 ? 1 : t);
                double ex = px - t * dx, ey = py - t * dy;
                d2 = ex * ex + ey * ey;
            }
            if (d2 > worst)
                worst = d2, at = i;
        }
        if (worst > tolerance2) {
            keep[at] = 1;
            spans.push_back({a, at});
            spans.push_back({at, b});
        }
    }
    return keep;
}

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
    double tolerance_;
    double lonScale_;
};

} // namespace hw
