#include "map/LineClip.h"

#include <cmath>

namespace hw {

std::optional<std::pair<ScreenPoint, ScreenPoint>> ClipLine(const ScreenRect& rect, ScreenPoint a,
                                                            ScreenPoint b)
{
    const double x0 = a.x, y0 = a.y;
    const double dx = b.x - x0, dy = b.y - y0;
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
    if (!edge(-dx, x0 - rect.left) || !edge(dx, rect.right - 1 - x0) || !edge(-dy, y0 - rect.top) ||
        !edge(dy, rect.bottom - 1 - y0))
        return std::nullopt;
    auto at = [&](double t) {
        return ScreenPoint{static_cast<int>(std::lround(x0 + dx * t)),
                           static_cast<int>(std::lround(y0 + dy * t))};
    };
    return std::make_pair(t0 == 0 ? a : at(t0), t1 == 1 ? b : at(t1));
}

} // namespace hw
