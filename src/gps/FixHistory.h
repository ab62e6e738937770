#pragma once

#include "base/NumberedHistory.h"
#include "gps/GpsFix.h"

namespace hw {

// The fix as it stood after each position sentence (about 10 MB at the
// limit, while the reader is held up).
using FixHistory = NumberedHistory<GpsFix>;

} // namespace hw
