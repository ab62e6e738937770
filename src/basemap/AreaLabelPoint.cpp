#include "basemap/AreaLabelPoint.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace hw {
namespace {

// The rings in a frame where x and y are the same length on the ground:
// longitude shrunk by the cosine of the latitude.
struct Frame {
    double lat0 = 0;
    double lonScale = 1;
    std::vector<std::vector<std::pair<double, double>>> rings;

    explicit Frame(const std::vector<std::vector<RoadPoint>>& in)
    {
        lat0 = in.front().front().lat;
        lonScale = std::max(0.01, std::cos(lat0 * 1e-6 * 3.14159265358979323846 / 180));
        for (const auto& ring : in) {
            auto& r = rings.emplace_back();
            for (const RoadPoint& p : ring)
                r.push_back({p.lon * lonScale, static_cast<double>(p.lat)});
        }
    }

    // The distance to the nearest edge, negative outside (even-odd).
    double SignedDistance(double x, double y) const
    {
        bool inside = false;
        double best = std::numeric_limits<double>::infinity();
        for (const auto& ring : rings) {
            for (std::size_t i = 0, n = ring.size(), j = n - 1; i < n; j = i++) {
                const auto [ax, ay] = ring[i];
                const auto [bx, by] = ring[j];
                if ((ay > y) != (by > y) && x < (bx - ax) * (y - ay) / (by - ay) + ax)
                    inside = !inside;
                double dx = bx - ax, dy = by - ay;
                double t = (dx != 0 || dy != 0)
                               ? ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
                               : 0;
                t = std::clamp(t, 0.0, 1.0);
                best = std::min(best, std::hypot(ax + t * dx - x, ay + t * dy - y));
            }
        }
        return inside ? best : -best;
    }

    // The x where the rings cross the horizontal line through y, in order.
    std::vector<double> Crossings(double y) const
    {
        std::vector<double> xs;
        for (const auto& ring : rings)
            for (std::size_t i = 0, n = ring.size(), j = n - 1; i < n; j = i++) {
                const auto [ax, ay] = ring[i];
                const auto [bx, by] = ring[j];
                if ((ay > y) != (by > y))
                    xs.push_back((bx - ax) * (y - ay) / (by - ay) + ax);
            }
        std::sort(xs.begin(), xs.end());
        return xs;
    }
};

struct Cell {
    double x, y, half, distance;
    double Potential() const { return distance + half * std::sqrt(2.0); }
    bool operator<(const Cell& o) const { return Potential() < o.Potential(); }
};

} // namespace

AreaLabelPoint AreaLabelPoint::Of(const std::vector<std::vector<RoadPoint>>& rings)
{
    if (rings.empty() || rings.front().empty())
        return {};
    const Frame frame(rings);
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const auto& ring : frame.rings)
        for (const auto& [x, y] : ring) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    const double size = std::min(maxX - minX, maxY - minY);
    if (!(size > 0))
        return {rings.front().front(), 0};

    // Cells over the box, split while one may still hold a point farther
    // from the edges than the best found, to a precision of 1/100 of the
    // box's smaller side; a bound on the work keeps any area cheap.
    const double precision = size / 100;
    const double start = std::max(size, std::max(maxX - minX, maxY - minY) / 64);
    std::priority_queue<Cell> queue;
    auto cell = [&](double x, double y, double half) {
        return Cell{x, y, half, frame.SignedDistance(x, y)};
    };
    for (double x = minX; x < maxX; x += start)
        for (double y = minY; y < maxY; y += start)
            queue.push(cell(x + start / 2, y + start / 2, start / 2));
    Cell best = cell((minX + maxX) / 2, (minY + maxY) / 2, 0);
    constexpr int kMostCells = 4000;
    for (int probed = 0; !queue.empty() && probed < kMostCells; ++probed) {
        const Cell c = queue.top();
        queue.pop();
        if (c.distance > best.distance)
            best = c;
        if (c.Potential() - best.distance <= precision)
            continue;
        const double h = c.half / 2;
        for (double dx : {-h, h})
            for (double dy : {-h, h})
                queue.push(cell(c.x + dx, c.y + dy, h));
    }

    // The middle of the inner span through the point, on the same line.
    double x = best.x, span = 0;
    const std::vector<double> xs = frame.Crossings(best.y);
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
        if (xs[i] <= best.x && best.x <= xs[i + 1]) {
            x = (xs[i] + xs[i + 1]) / 2;
            span = xs[i + 1] - xs[i];
            break;
        }
    return {{static_cast<int32_t>(std::lround(best.y)),
             static_cast<int32_t>(std::lround(x / frame.lonScale))},
            static_cast<int32_t>(std::lround(span / frame.lonScale))};
}

} // namespace hw
