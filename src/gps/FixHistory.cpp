#include "gps/FixHistory.h"

#include <algorithm>

namespace hw {

void FixHistory::Push(const GpsFix& fix)
{
    ++newest_;
    fixes_[newest_ % kCapacity] = fix;
}

uint64_t FixHistory::Since(uint64_t after, std::vector<GpsFix>& out) const
{
    const uint64_t oldestHeld = newest_ >= kCapacity ? newest_ - kCapacity + 1 : 1;
    for (uint64_t n = std::max(after + 1, oldestHeld); n <= newest_; ++n)
        out.push_back(fixes_[n % kCapacity]);
    return newest_;
}

} // namespace hw
