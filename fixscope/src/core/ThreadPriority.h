#pragma once

namespace fixscope {

// Moves the calling thread one step below normal priority, where the system
// allows it; otherwise leaves it as it is.
void LowerCurrentThreadPriority();

} // namespace fixscope
