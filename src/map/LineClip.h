#pragma once

#include "base/DrawList.h"

#include <optional>
#include <utility>

namespace hw {

// The part of the segment a-b inside the rectangle (Liang-Barsky), or
// nothing when it misses it. Keeps strokes toward far-off points to lengths a
// painter handles.
std::optional<std::pair<ScreenPoint, ScreenPoint>> ClipLine(const ScreenRect& rect, ScreenPoint a,
                                                            ScreenPoint b);

} // namespace hw
