#pragma once

#include "base/DrawList.h"

namespace hw {

// A map name with a halo of the sheet's colour around it (the text drawn a
// pixel off in each direction first), so that it stays readable over lines
// and fills.
void AddHaloText(const Text& text, Colour halo, DrawList& out);

} // namespace hw
