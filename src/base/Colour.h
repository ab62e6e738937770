#pragma once

#include "base/DrawList.h"

namespace hw {

// The colour with its HSL lightness replaced by `lightness` (0 to 1); hue and
// saturation stay.
Colour WithLightness(Colour colour, double lightness);

} // namespace hw
