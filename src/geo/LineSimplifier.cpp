#include "geo/LineSimplifier.h"

#include <cmath>
#include <utility>

namespace hw {

LineSimplifier::LineSimplifier(double toleranceMicro, double latitudeDegrees)
    : tolerance2_(toleranceMicro * toleranceMicro),
      lonScale_(std::cos(latitudeDegrees * 3.14159265358979323846 / 180))
{
}

std::vector<RoadPoint> LineSimplifier::Simplify(const std::vector<RoadPoint>& points) const
{
    const std::size_t n = points.size();
    if (n < 3 || tolerance2_ <= 0)
        return points;
    std::vector<bool> keep(n, false);
    keep[0] = keep[n - 1] = true;
    auto x = [&](std::size_t i) { return points[i].lon * lonScale_; };
    auto y = [&](std::size_t i) { return static_cast<double>(points[i].lat); };
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
        if (worst > tolerance2_) {
            keep[at] = true;
            spans.push_back({a, at});
            spans.push_back({at, b});
        }
    }
    std::vector<RoadPoint> out;
    for (std::size_t i = 0; i < n; ++i)
        if (keep[i])
            out.push_back(points[i]);
    return out;
}

} // namespace hw
