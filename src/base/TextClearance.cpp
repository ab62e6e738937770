#include "base/TextClearance.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

double DistanceToBox(double x, double y, const ScreenRect& r)
{
    // The box covers pixels left..right-1, top..bottom-1.
    const double dx = std::max({r.left - x, 0.0, x - (r.right - 1)});
    const double dy = std::max({r.top - y, 0.0, y - (r.bottom - 1)});
    return std::hypot(dx, dy);
}

double PointToSegment(double px, double py, ScreenPoint a, ScreenPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((px - a.x) * dx + (py - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

// Whether the segment passes through the box's pixel area (its edges at
// left..right-1 and top..bottom-1): Liang-Barsky clipping.
bool SegmentMeetsBox(ScreenPoint a, ScreenPoint b, const ScreenRect& r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - static_cast<double>(r.left), r.right - 1.0 - a.x,
                         a.y - static_cast<double>(r.top), r.bottom - 1.0 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// The shortest distance from a segment to a box (0 when they meet).
double SegmentToBox(ScreenPoint a, ScreenPoint b, const ScreenRect& r)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return 1e9;
    if (SegmentMeetsBox(a, b, r))
        return 0;
    double best = std::min(DistanceToBox(a.x, a.y, r), DistanceToBox(b.x, b.y, r));
    for (double x : {static_cast<double>(r.left), r.right - 1.0})
        for (double y : {static_cast<double>(r.top), r.bottom - 1.0})
            best = std::min(best, PointToSegment(x, y, a, b));
    return best;
}

} // namespace

bool TextObstacle::Touches(const ScreenRect& r, int air) const
{
    const ScreenRect grown = r.Grown(air);
    if (!isLine)
        return grown.Intersects(box);
    return SegmentToBox(from, to, grown) <= width / 2.0;
}

bool TextRoom::Holds(const ScreenRect& box) const
{
    if (box.left < bounds.left || box.top < bounds.top || box.right > bounds.right ||
        box.bottom > bounds.bottom)
        return false;
    if (boundsRadius <= 0)
        return true;
    for (ScreenPoint c : {ScreenPoint{box.left, box.top}, ScreenPoint{box.right, box.top},
                          ScreenPoint{box.left, box.bottom}, ScreenPoint{box.right, box.bottom}})
        if (std::hypot(c.x - boundsCentre.x, c.y - boundsCentre.y) > boundsRadius)
            return false;
    return true;
}

bool ClearOf(const ScreenRect& box, const std::vector<TextObstacle>& obstacles, int air)
{
    return std::none_of(obstacles.begin(), obstacles.end(),
                        [&](const TextObstacle& o) { return o.Touches(box, air); });
}

std::optional<ScreenPoint> LeastClearingShift(const ScreenRect& box,
                                              const std::vector<TextObstacle>& obstacles,
                                              const TextRoom& room, int air, int maxShift)
{
    static constexpr ScreenPoint kDirections[] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                                  {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
    for (int d = 0; d <= maxShift; ++d) {
        for (ScreenPoint dir : kDirections) {
            // A diagonal step of d moves about d pixels, not d times root 2.
            const int step =
                dir.x != 0 && dir.y != 0 ? static_cast<int>(std::lround(d / 1.4142)) : d;
            const ScreenPoint shift{dir.x * step, dir.y * step};
            const ScreenRect moved{box.left + shift.x, box.top + shift.y, box.right + shift.x,
                                   box.bottom + shift.y};
            if (room.Holds(moved) && ClearOf(moved, obstacles, air))
                return shift;
            if (d == 0)
                break;
        }
    }
    return std::nullopt;
}

} // namespace hw
