#pragma once

#include "base/DrawList.h"

#include <optional>
#include <vector>

namespace hw {

// Something a text must keep clear of: a rectangle, or a line of a given
// width (a hand, a needle, a tick).
struct TextObstacle {
    ScreenRect box;
    bool isLine = false;
    ScreenPoint from, to;
    int width = 1;

    static TextObstacle Box(const ScreenRect& r) { return {r, false, {}, {}, 1}; }
    static TextObstacle Line(ScreenPoint a, ScreenPoint b, int width)
    {
        return {{}, true, a, b, width < 1 ? 1 : width};
    }
    // Whether the obstacle covers a pixel of the box grown by `air`.
    bool Touches(const ScreenRect& box, int air) const;
};

// Where a text box goes when the obstacles cross it: the least shift (in
// pixels, along one of the eight compass directions) that leaves the box,
// with `air` pixels around it, clear of every obstacle and inside `bounds`
// (for a round face: its corners within `boundsRadius` of `boundsCentre`,
// when that is above 0). Nothing when no shift up to `maxShift` clears it.
struct TextRoom {
    ScreenRect bounds;
    ScreenPoint boundsCentre;
    double boundsRadius = 0;
    bool Holds(const ScreenRect& box) const;
};
std::optional<ScreenPoint> LeastClearingShift(const ScreenRect& box,
                                              const std::vector<TextObstacle>& obstacles,
                                              const TextRoom& room, int air, int maxShift);

// Whether a box is clear of every obstacle.
bool ClearOf(const ScreenRect& box, const std::vector<TextObstacle>& obstacles, int air);

} // namespace hw
