#pragma once

#include "base/DrawList.h"

#include <optional>
#include <utility>

namespace hw {

// The parameters t0 <= t1 in [0, 1] of the part of the segment from (x, y)
// along (dx, dy) inside [minX, maxX] x [minY, maxY] (Liang-Barsky), or
// nothing when the segment misses the box.
std::optional<std::pair<double, double>> ClipParameters(double x, double y, double dx, double dy,
                                                        double minX, double minY, double maxX,
                                                        double maxY);

// The part of the segment a-b inside the rectangle (Liang-Barsky), or
// nothing when it misses it. Keeps strokes toward far-off points to lengths a
// painter handles.
std::optional<std::pair<ScreenPoint, ScreenPoint>> ClipLine(const ScreenRect& rect, ScreenPoint a,
                                                            ScreenPoint b);

} // namespace hw
