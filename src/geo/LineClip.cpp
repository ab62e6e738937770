#include "geo/LineClip.h"

#include <cmath>

namespace hw {

std::optional<std::pair<double, double>> ClipParameters(double x, double y, double dx, double dy,
                                                        double minX, double minY, double maxX,
                                                        double maxY)
{
    double t0 = 0, t1 = 1;
    // One edge: p * t <= q keeps the point inside.
    auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        double t = q / p;
        if (p < 0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
        return true;
    };
    if (!edge(-dx, x - minX) || !edge(dx, maxX - x) || !edge(-dy, y - minY) || !edge(dy, maxY - y))
        return std::nullopt;
    return std::make_pair(t0, t1);
}

std::optional<std::pair<ScreenPoint, ScreenPoint>> ClipLine(const ScreenRect& rect, ScreenPoint a,
                                                            ScreenPoint b)
{
    const double x0 = a.x, y0 = a.y;
    const double dx = b.x - x0, dy = b.y - y0;
    const auto t =
        ClipParameters(x0, y0, dx, dy, rect.left, rect.top, rect.right - 1, rect.bottom - 1);
    if (!t)
        return std::nullopt;
    auto at = [&](double u) {
        return ScreenPoint{static_cast<int>(std::lround(x0 + dx * u)),
                           static_cast<int>(std::lround(y0 + dy * u))};
    };
    return std::make_pair(t->first == 0 ? a : at(t->first), t->second == 1 ? b : at(t->second));
}

} // namespace hw
